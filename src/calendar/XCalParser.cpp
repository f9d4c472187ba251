// Reading calendar files: libxml2 with every door to the outside closed, and the
// blanks of the layout left out of the tree.

#include "XCalDocument.h"

#include "KivError.h"

#include <QFile>

#include <string>

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

namespace kiv {

namespace {

// Calendar files have no use for entities; a declaration is refused at once,
// before any expansion can start (billion laughs and external entities alike).
struct ParseGuard
{
    QString refusedEntity;
    QString encodingError; // from the conversion layer, which has no parser context
};
// The guard of the parse running on this thread (the reset at the start of a
// parse clears the context's own user fields, so they cannot carry it).
thread_local ParseGuard *tCurrentGuard = nullptr;

void refuseEntity(void *ctx, const xmlChar *name)
{
    auto *ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    if (tCurrentGuard && tCurrentGuard->refusedEntity.isEmpty())
        tCurrentGuard->refusedEntity = QString::fromUtf8(reinterpret_cast<const char *>(name));
    xmlStopParser(ctxt);
}

void silentError(void *, const char *, ...)
{
}

void onStructuredError(void *, xmlErrorPtr error)
{
    if (tCurrentGuard && error && error->message && tCurrentGuard->encodingError.isEmpty() &&
        error->level >= XML_ERR_ERROR && (error->domain == XML_FROM_I18N || error->domain == XML_FROM_IO))
        tCurrentGuard->encodingError = QString::fromUtf8(error->message).trimmed();
}

// Nothing of a parse reaches stderr; errors become the reason of the KivError.
class QuietErrors
{
public:
    QuietErrors()
        : m_generic(xmlGenericError), m_genericContext(xmlGenericErrorContext),
          m_structured(xmlStructuredError), m_structuredContext(xmlStructuredErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, silentError);
        xmlSetStructuredErrorFunc(nullptr, onStructuredError);
    }
    ~QuietErrors()
    {
        xmlSetGenericErrorFunc(m_genericContext, m_generic);
        xmlSetStructuredErrorFunc(m_structuredContext, m_structured);
    }
    QuietErrors(const QuietErrors &) = delete;
    QuietErrors &operator=(const QuietErrors &) = delete;

private:
    xmlGenericErrorFunc m_generic;
    void *m_genericContext;
    xmlStructuredErrorFunc m_structured;
    void *m_structuredContext;
};

void onEntityDecl(void *ctx, const xmlChar *name, int, const xmlChar *, const xmlChar *, xmlChar *)
{
    refuseEntity(ctx, name);
}

void onUnparsedEntityDecl(void *ctx, const xmlChar *name, const xmlChar *, const xmlChar *,
                          const xmlChar *)
{
    refuseEntity(ctx, name);
}

// Blanks between elements are layout (rewritten on save), and a big calendar
// holds as many of them as elements. A whitespace-only text is held back until
// it is complete: it is dropped when an element, comment or instruction follows
// it or when its element ends after other children; an element whose only
// content is blanks keeps them, and blanks that go on into a text are part of
// it. Deciding on whole texts keeps the result independent of how the parser
// cut the characters into pieces (libxml2's own rule, XML_PARSE_NOBLANKS,
// decides per piece and so also ate spaces at the start of texts in CR LF files).
struct PendingBlank
{
    xmlNode *parent = nullptr;
    std::string text; // clear() keeps the buffer for the next blanks
};
thread_local PendingBlank tPendingBlank;

bool isBlank(const xmlChar *ch, int len)
{
    for (int i = 0; i < len; ++i) {
        if (ch[i] != ' ' && ch[i] != '\t' && ch[i] != '\n' && ch[i] != '\r')
            return false;
    }
    return true;
}

// Gives the held-back blanks to the tree after all (they belong to a text).
void keepPendingBlank(void *ctx)
{
    if (!tPendingBlank.parent)
        return;
    tPendingBlank.parent = nullptr;
    xmlSAX2Characters(ctx, reinterpret_cast<const xmlChar *>(tPendingBlank.text.data()),
                      static_cast<int>(tPendingBlank.text.size()));
    tPendingBlank.text.clear();
}

void dropPendingBlank()
{
    tPendingBlank.parent = nullptr;
    tPendingBlank.text.clear();
}

void onCharacters(void *ctx, const xmlChar *ch, int len)
{
    const xmlNode *node = static_cast<xmlParserCtxtPtr>(ctx)->node;
    if (tPendingBlank.parent && tPendingBlank.parent != node)
        dropPendingBlank(); // not reached: every change of element settles the blanks
    const bool startsText = !node || !node->last || node->last->type != XML_TEXT_NODE;
    if (isBlank(ch, len) && startsText) {
        tPendingBlank.parent = const_cast<xmlNode *>(node);
        tPendingBlank.text.append(reinterpret_cast<const char *>(ch), static_cast<size_t>(len));
        return;
    }
    keepPendingBlank(ctx);
    xmlSAX2Characters(ctx, ch, len);
}

void onCdata(void *ctx, const xmlChar *value, int len)
{
    keepPendingBlank(ctx);
    xmlSAX2CDataBlock(ctx, value, len);
}

void onReference(void *ctx, const xmlChar *name)
{
    keepPendingBlank(ctx);
    xmlSAX2Reference(ctx, name);
}

void onStartElement(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri,
                    int nbNamespaces, const xmlChar **namespaces, int nbAttributes, int nbDefaulted,
                    const xmlChar **attributes)
{
    dropPendingBlank();
    xmlSAX2StartElementNs(ctx, localname, prefix, uri, nbNamespaces, namespaces, nbAttributes, nbDefaulted,
                          attributes);
}

void onEndElement(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri)
{
    const xmlNode *node = static_cast<xmlParserCtxtPtr>(ctx)->node;
    if (tPendingBlank.parent == node) {
        bool besideOthers = false;
        for (const xmlNode *c = node ? node->children : nullptr; c && !besideOthers; c = c->next)
            besideOthers = c->type == XML_ELEMENT_NODE || c->type == XML_COMMENT_NODE || c->type == XML_PI_NODE;
        if (besideOthers)
            dropPendingBlank();
        else
            keepPendingBlank(ctx);
    }
    xmlSAX2EndElementNs(ctx, localname, prefix, uri);
}

void onComment(void *ctx, const xmlChar *value)
{
    dropPendingBlank();
    xmlSAX2Comment(ctx, value);
}

void onProcessingInstruction(void *ctx, const xmlChar *target, const xmlChar *data)
{
    dropPendingBlank();
    xmlSAX2ProcessingInstruction(ctx, target, data);
}

// No network, no external document type, no entity substitution; short texts
// are stored inside their nodes, which keeps big calendars small in memory.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_COMPACT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

QString parserError(xmlParserCtxtPtr ctxt)
{
    const xmlError *err = xmlCtxtGetLastError(ctxt);
    if (!err || !err->message)
        return QStringLiteral("the file is not well-formed XML");
    const QString message = QString::fromUtf8(err->message).trimmed();
    return err->line > 0 ? QStringLiteral("line %1: %2").arg(err->line).arg(message) : message;
}

// Runs one parse with the guard in place; `read` calls the xmlCtxtRead* variant.
template <typename Read>
xmlDocPtr guardedParse(const QString &name, Read read)
{
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt)
        throw KivError(QStringLiteral("%1: out of memory").arg(name));
    ParseGuard guard;
    const QuietErrors quiet;
    tCurrentGuard = &guard;
    ctxt->sax->entityDecl = onEntityDecl;
    ctxt->sax->unparsedEntityDecl = onUnparsedEntityDecl;
    ctxt->sax->characters = onCharacters;
    ctxt->sax->ignorableWhitespace = onCharacters;
    ctxt->sax->cdataBlock = onCdata;
    ctxt->sax->reference = onReference;
    ctxt->sax->startElementNs = onStartElement;
    ctxt->sax->endElementNs = onEndElement;
    ctxt->sax->comment = onComment;
    ctxt->sax->processingInstruction = onProcessingInstruction;
    xmlDocPtr doc = read(ctxt);
    tCurrentGuard = nullptr;
    dropPendingBlank();
    QString reason;
    if (!guard.refusedEntity.isEmpty())
        reason = QStringLiteral("the file declares the entity \"%1\"; calendar files may not declare entities")
                     .arg(guard.refusedEntity);
    else if (!guard.encodingError.isEmpty())
        reason = QStringLiteral("the text does not match its encoding (%1)").arg(guard.encodingError);
    else if (!doc || !ctxt->wellFormed)
        reason = parserError(ctxt);
    xmlFreeParserCtxt(ctxt);
    if (!reason.isEmpty()) {
        if (doc)
            xmlFreeDoc(doc);
        throw KivError(reason);
    }
    return doc;
}

TXCalDocumentPtr checkedRoot(TXCalDocumentPtr doc)
{
    const xmlNode *root = xmlDocGetRootElement(doc->xmlDoc());
    const QString rootName = root ? QString::fromUtf8(reinterpret_cast<const char *>(root->name)) : QString();
    if (rootName != QLatin1String("icalendar"))
        throw KivError(QStringLiteral("the root element is \"%1\", not \"icalendar\"").arg(rootName));
    return doc;
}

} // namespace

TXCalDocumentPtr parseXCal(const QByteArray &data, const QString &name)
{
    xmlDocPtr doc = guardedParse(name, [&](xmlParserCtxtPtr ctxt) {
        return xmlCtxtReadMemory(ctxt, data.constData(), static_cast<int>(data.size()), nullptr,
                                 nullptr, kParseOptions);
    });
    return checkedRoot(TXCalDocumentPtr(new TXCalDocument(doc)));
}

TXCalDocumentPtr LoadXCal(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw KivFileError(fileName, QStringLiteral("cannot open \"%1\": %2").arg(fileName, file.errorString()));
    // Read by libxml2 from the descriptor in pieces, so a big file is never
    // held in memory beside its tree.
    xmlDocPtr doc = guardedParse(fileName, [&](xmlParserCtxtPtr ctxt) {
        return xmlCtxtReadFd(ctxt, file.handle(), nullptr, nullptr, kParseOptions);
    });
    return checkedRoot(TXCalDocumentPtr(new TXCalDocument(doc)));
}

} // namespace kiv
