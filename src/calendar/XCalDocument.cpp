#include "XCalDocument.h"

#include <libxml/tree.h>

namespace kiv {

TXCalDocument::TXCalDocument(_xmlDoc *doc) : m_doc(doc)
{
    m_doc->_private = this;
}

TXCalDocument::~TXCalDocument()
{
    for (xmlNode *n : m_removed)
        xmlFreeNode(n);
    xmlFreeDoc(m_doc);
}

bool TXCalDocument::hasRoot() const
{
    return xmlDocGetRootElement(m_doc) != nullptr;
}

TXMLIcalendarType TXCalDocument::Icalendar()
{
    xmlNode *root = xmlDocGetRootElement(m_doc);
    if (!root) {
        root = xmlNewDocNode(m_doc, nullptr, reinterpret_cast<const xmlChar *>("icalendar"), nullptr);
        xmlDocSetRootElement(m_doc, root);
    }
    return TXMLIcalendarType(root);
}

void TXCalDocument::keepBeforeFirstSave(const QString &original, const QString &keepAs)
{
    m_keepOriginal = original;
    m_keepAs = keepAs;
}

void TXCalDocument::clearPendingKeep()
{
    m_keepOriginal.clear();
    m_keepAs.clear();
}

TXCalDocument *TXCalDocument::owner(_xmlNode *node)
{
    return node && node->doc ? static_cast<TXCalDocument *>(node->doc->_private) : nullptr;
}

void TXCalDocument::keepRemoved(_xmlNode *node)
{
    m_removed.push_back(node);
}

TXCalDocumentPtr NewXCal()
{
    return TXCalDocumentPtr(new TXCalDocument(xmlNewDoc(reinterpret_cast<const xmlChar *>("1.0"))));
}

} // namespace kiv
