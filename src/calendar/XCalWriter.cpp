// The file layout of the calendar: two spaces per level, one element per line,
// an element holding only text on one line with it, empty elements as <name/>,
// CR LF after every line, UTF-8 without byte-order mark and without declaration.

#include "XCalDocument.h"

#include "KivError.h"
#include "SafeWrite.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <libxml/tree.h>

#include <cstring>

namespace kiv {

namespace {

class Writer
{
public:
    QByteArray out;
    // When set, the text goes out in pieces of about kPiece bytes.
    const SafeWriteSink *sink = nullptr;
    static constexpr qsizetype kPiece = 1 << 20;

    void block(const xmlNode *n, int depth)
    {
        switch (n->type) {
        case XML_ELEMENT_NODE:
            element(n, depth);
            if (sink && out.size() >= kPiece)
                flush();
            break;
        case XML_COMMENT_NODE:
        case XML_PI_NODE:
            indent(depth);
            inlineNode(n);
            out += "\r\n";
            break;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
        case XML_ENTITY_REF_NODE:
            // Only reached for blanks between elements, which are layout.
            break;
        default: break;
        }
    }

    void flush()
    {
        if (sink && !out.isEmpty()) {
            (*sink)(out.constData(), out.size());
            out.clear(); // keeps its capacity for the next piece
        }
    }

private:
    enum class Content { Empty, TextOnly, Elements, Mixed };

    static bool isTextLike(const xmlNode *c)
    {
        return c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE ||
               c->type == XML_ENTITY_REF_NODE;
    }

    static bool isBlankText(const xmlNode *c)
    {
        if (c->type != XML_TEXT_NODE || !c->content)
            return c->type == XML_TEXT_NODE;
        for (const xmlChar *p = c->content; *p; ++p) {
            if (*p != ' ' && *p != '\t' && *p != '\n' && *p != '\r')
                return false;
        }
        return true;
    }

    static Content contentOf(const xmlNode *n)
    {
        bool text = false, other = false, solidText = false;
        for (const xmlNode *c = n->children; c; c = c->next) {
            if (isTextLike(c)) {
                if (c->type != XML_TEXT_NODE || (c->content && *c->content))
                    text = true;
                if (!isBlankText(c))
                    solidText = true;
            } else {
                other = true;
            }
        }
        if (!other)
            return text ? Content::TextOnly : Content::Empty;
        // Text beside elements is content, not layout: written as it stands.
        return solidText ? Content::Mixed : Content::Elements;
    }

    void indent(int depth)
    {
        out.append(2 * depth, ' ');
    }

    void qname(const xmlNode *n)
    {
        if (n->ns && n->ns->prefix) {
            out += reinterpret_cast<const char *>(n->ns->prefix);
            out += ':';
        }
        out += reinterpret_cast<const char *>(n->name);
    }

    void startTag(const xmlNode *n)
    {
        out += '<';
        qname(n);
        for (const xmlNs *ns = n->nsDef; ns; ns = ns->next) {
            out += " xmlns";
            if (ns->prefix) {
                out += ':';
                out += reinterpret_cast<const char *>(ns->prefix);
            }
            out += "=\"";
            escape(ns->href, true);
            out += '"';
        }
        for (const xmlAttr *a = n->properties; a; a = a->next) {
            out += ' ';
            qname(reinterpret_cast<const xmlNode *>(a));
            out += "=\"";
            for (const xmlNode *v = a->children; v; v = v->next) {
                if (v->type == XML_ENTITY_REF_NODE)
                    entityRef(v);
                else
                    escape(v->content, true);
            }
            out += '"';
        }
    }

    void endTag(const xmlNode *n)
    {
        out += "</";
        qname(n);
        out += '>';
    }

    void element(const xmlNode *n, int depth)
    {
        indent(depth);
        switch (contentOf(n)) {
        case Content::Empty:
            startTag(n);
            out += "/>";
            break;
        case Content::TextOnly:
        case Content::Mixed:
            inlineNode(n);
            break;
        case Content::Elements:
            startTag(n);
            out += ">\r\n";
            for (const xmlNode *c = n->children; c; c = c->next)
                block(c, depth + 1);
            indent(depth);
            endTag(n);
            break;
        }
        out += "\r\n";
    }

    void entityRef(const xmlNode *n)
    {
        out += '&';
        out += reinterpret_cast<const char *>(n->name);
        out += ';';
    }

    // A node exactly as it stands, without layout.
    void inlineNode(const xmlNode *n)
    {
        switch (n->type) {
        case XML_ELEMENT_NODE: {
            const Content content = contentOf(n);
            startTag(n);
            if (content == Content::Empty) {
                out += "/>";
                return;
            }
            out += '>';
            // Blanks between elements are layout even here; reading drops them.
            const bool skipBlanks = content == Content::Elements;
            for (const xmlNode *c = n->children; c; c = c->next) {
                if (!(skipBlanks && isBlankText(c)))
                    inlineNode(c);
            }
            endTag(n);
            break;
        }
        case XML_TEXT_NODE: escape(n->content, false); break;
        case XML_CDATA_SECTION_NODE:
            out += "<![CDATA[";
            lines(n->content);
            out += "]]>";
            break;
        case XML_ENTITY_REF_NODE: entityRef(n); break;
        case XML_COMMENT_NODE:
            out += "<!--";
            lines(n->content);
            out += "-->";
            break;
        case XML_PI_NODE:
            out += "<?";
            out += reinterpret_cast<const char *>(n->name);
            if (n->content && *n->content) {
                out += ' ';
                lines(n->content);
            }
            out += "?>";
            break;
        default: break;
        }
    }

    // Raw text whose line feeds become CR LF.
    void lines(const xmlChar *s)
    {
        if (!s)
            return;
        for (const char *p = reinterpret_cast<const char *>(s); *p; ++p) {
            if (*p == '\n')
                out += "\r\n";
            else
                out += *p;
        }
    }

    void escape(const xmlChar *s, bool attribute)
    {
        if (!s)
            return;
        const char *p = reinterpret_cast<const char *>(s);
        const char *run = p;
        auto flush = [&](const char *upTo) { out.append(run, upTo - run); };
        for (; *p; ++p) {
            const char *rep = nullptr;
            switch (*p) {
            case '&': rep = "&amp;"; break;
            case '<': rep = "&lt;"; break;
            case '>': rep = "&gt;"; break;
            case '\r': rep = "&#13;"; break;
            case '"': rep = attribute ? "&quot;" : nullptr; break;
            case '\t': rep = attribute ? "&#9;" : nullptr; break;
            case '\n': rep = attribute ? "&#10;" : "\r\n"; break;
            default: break;
            }
            if (rep) {
                flush(p);
                out += rep;
                run = p + 1;
            }
        }
        flush(p);
    }
};

} // namespace

namespace {

void writeDocument(TXCalDocument &doc, Writer &w)
{
    doc.Icalendar(); // a new document gets its root here at the latest
    for (const xmlNode *n = doc.xmlDoc()->children; n; n = n->next) {
        // The root element, and comments and processing instructions beside it.
        if (n->type == XML_ELEMENT_NODE || n->type == XML_COMMENT_NODE || n->type == XML_PI_NODE)
            w.block(n, 0);
    }
    w.flush();
}

} // namespace

QByteArray xcalText(TXCalDocument &doc)
{
    Writer w;
    writeDocument(doc, w);
    return w.out;
}

void SaveXCal(const QString &fileName, TXCalDocument *doc)
{
    if (!doc)
        return;
    const QString original = doc->pendingKeepOriginal();
    if (!original.isEmpty() &&
        QFileInfo(original).absoluteFilePath() == QFileInfo(fileName).absoluteFilePath()) {
        // A damaged file is never written over: keep it first, under a name
        // nothing else uses.
        if (QFileInfo::exists(original)) {
            QString keepAs = doc->pendingKeepAs();
            for (int i = 1; QFileInfo::exists(keepAs); ++i)
                keepAs = doc->pendingKeepAs() + QLatin1Char('.') + QString::number(i);
            if (!QFile::copy(original, keepAs))
                throw KivFileError(original, QStringLiteral("The damaged calendar file \"%1\" could not be kept as \"%2\"; "
                                                            "the calendar was not saved.")
                                                 .arg(original, keepAs));
        }
        doc->clearPendingKeep();
    }
    // Written in pieces: a big calendar is not held a second time as one text.
    safeWriteStream(fileName, [&](const SafeWriteSink &write) {
        Writer w;
        w.sink = &write;
        writeDocument(*doc, w);
    });
}

} // namespace kiv
