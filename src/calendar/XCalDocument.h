#pragma once
// The calendar document: the calendar file parsed into a tree whose root is
// "icalendar" (accessors in XCalTypes.h). Unknown elements, attributes and
// comments are kept and written back.
//
// Files are untrusted input (imports, downloads): parsing never touches the
// network, never loads external entities or document types, and refuses any
// document that declares entities, so no entity can expand.

#include "XCalTypes.h"

#include <QString>
#include <memory>
#include <vector>

struct _xmlDoc;

namespace kiv {

class TXCalDocument
{
public:
    ~TXCalDocument();
    TXCalDocument(const TXCalDocument &) = delete;
    TXCalDocument &operator=(const TXCalDocument &) = delete;

    // The root "icalendar", created when the document has none yet.
    TXMLIcalendarType Icalendar();
    TXMLVcalendarType Vcalendar() { return Icalendar().Vcalendar(); }
    bool hasRoot() const;

    // Before the first SaveXCal over `original`, keep that file as `keepAs`
    // (used when a damaged calendar file is replaced by an empty calendar).
    void keepBeforeFirstSave(const QString &original, const QString &keepAs);
    const QString &pendingKeepOriginal() const { return m_keepOriginal; }
    const QString &pendingKeepAs() const { return m_keepAs; }
    void clearPendingKeep();

    // For the accessors: the document an element belongs to, and the store of
    // removed elements (freed with the document, so no handle ever dangles).
    static TXCalDocument *owner(_xmlNode *node);
    void keepRemoved(_xmlNode *node);
    _xmlDoc *xmlDoc() const { return m_doc; }

private:
    explicit TXCalDocument(_xmlDoc *doc);
    friend std::unique_ptr<TXCalDocument> LoadXCal(const QString &fileName);
    friend std::unique_ptr<TXCalDocument> NewXCal();
    friend std::unique_ptr<TXCalDocument> parseXCal(const QByteArray &data, const QString &name);

    _xmlDoc *m_doc;
    std::vector<_xmlNode *> m_removed;
    QString m_keepOriginal;
    QString m_keepAs;
};

using TXCalDocumentPtr = std::unique_ptr<TXCalDocument>;

// Parses the file (encoding from a byte-order mark or the XML declaration,
// else UTF-8). Throws KivFileError when it cannot be read, KivError with the
// reason when it is not well-formed, declares entities, or its root is not
// "icalendar".
TXCalDocumentPtr LoadXCal(const QString &fileName);
// The same on bytes in memory; `name` names the source in messages.
TXCalDocumentPtr parseXCal(const QByteArray &data, const QString &name);
// An empty document (version "1.0"); its root is created when first used.
TXCalDocumentPtr NewXCal();
// Writes the root element with two-space indentation, one element per line
// (an element with only text on one line, an empty one as <name/>), UTF-8
// without byte-order mark or declaration, CR LF after every line, through the
// safe writer. Does nothing for null. Throws KivFileError when writing fails.
void SaveXCal(const QString &fileName, TXCalDocument *doc);
// The bytes SaveXCal writes.
QByteArray xcalText(TXCalDocument &doc);

} // namespace kiv
