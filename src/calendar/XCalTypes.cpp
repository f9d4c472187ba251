#include "XCalTypes.h"

#include "XCalDocument.h"

#include <libxml/tree.h>

#include <cstring>

namespace kiv {

namespace {

const xmlChar *X(const char *s)
{
    return reinterpret_cast<const xmlChar *>(s);
}

QString fromXml(const xmlChar *s)
{
    return s ? QString::fromUtf8(reinterpret_cast<const char *>(s)) : QString();
}

bool isElement(const xmlNode *n, const char *name)
{
    return n->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char *>(n->name), name) == 0;
}

// XML 1.0 cannot hold most control characters, not even as references: a text
// holding one (pasted, or from an imported file) would make the saved file
// unreadable. They are dropped on the way into the document.
QByteArray xmlSafeUtf8(const QString &text)
{
    auto allowed = [](char16_t c) {
        return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == '\t' || c == '\n' || c == '\r';
    };
    for (QChar c : text) {
        if (!allowed(c.unicode())) {
            QString clean;
            clean.reserve(text.size());
            for (QChar d : text) {
                if (allowed(d.unicode()))
                    clean += d;
            }
            return clean.toUtf8();
        }
    }
    return text.toUtf8();
}

void freeChildren(xmlNode *node)
{
    xmlNode *c = node->children;
    while (c) {
        xmlNode *next = c->next;
        xmlUnlinkNode(c);
        xmlFreeNode(c);
        c = next;
    }
}

} // namespace

QString TXMLElement::name() const
{
    return m_node ? fromXml(m_node->name) : QString();
}

bool TXMLElement::isAttached() const
{
    if (!m_node || !m_node->doc)
        return false;
    const xmlNode *n = m_node;
    while (n->parent && n->parent->type != XML_DOCUMENT_NODE)
        n = n->parent;
    return n->parent != nullptr;
}

int TXMLElement::lineNumber() const
{
    return m_node ? static_cast<int>(xmlGetLineNo(m_node)) : 0;
}

QString TXMLElement::text() const
{
    if (!m_node)
        return {};
    const xmlNode *c = m_node->children;
    // The usual case: one text child.
    if (c && !c->next && (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE))
        return fromXml(c->content);
    QByteArray joined;
    for (; c; c = c->next) {
        if ((c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) && c->content)
            joined += reinterpret_cast<const char *>(c->content);
    }
    return QString::fromUtf8(joined);
}

void TXMLElement::setText(const QString &text) const
{
    if (!m_node)
        return;
    freeChildren(m_node);
    if (text.isEmpty())
        return;
    const QByteArray utf8 = xmlSafeUtf8(text);
    xmlNode *t = xmlNewDocTextLen(m_node->doc, X(utf8.constData()), static_cast<int>(utf8.size()));
    xmlAddChild(m_node, t);
}

QString TXMLElement::attribute(const char *name) const
{
    if (!m_node)
        return {};
    xmlChar *v = xmlGetNoNsProp(m_node, X(name));
    const QString r = fromXml(v);
    xmlFree(v);
    return r;
}

bool TXMLElement::hasAttribute(const char *name) const
{
    return m_node && xmlHasNsProp(m_node, X(name), nullptr) != nullptr;
}

void TXMLElement::setAttribute(const char *name, const QString &value) const
{
    if (m_node)
        xmlSetProp(m_node, X(name), X(xmlSafeUtf8(value).constData()));
}

TXMLElement TXMLElement::child(const char *name) const
{
    if (!m_node)
        return {};
    for (xmlNode *c = m_node->children; c; c = c->next) {
        if (isElement(c, name))
            return TXMLElement(c);
    }
    xmlNode *created = xmlNewDocNode(m_node->doc, nullptr, X(name), nullptr);
    xmlAddChild(m_node, created);
    return TXMLElement(created);
}

TXMLVeventTypeList::TXMLVeventTypeList(xmlNode *vcalendar) : m_parent(vcalendar)
{
    if (!vcalendar)
        return;
    for (xmlNode *c = vcalendar->children; c; c = c->next) {
        if (isElement(c, "vevent"))
            m_events.emplace_back(c);
    }
}

TXMLVeventType TXMLVeventTypeList::Add()
{
    if (!m_parent)
        return {};
    xmlNode *created = xmlNewDocNode(m_parent->doc, nullptr, X("vevent"), nullptr);
    xmlAddChild(m_parent, created);
    m_events.emplace_back(created);
    return m_events.back();
}

TXMLVeventType TXMLVeventTypeList::AddCopy(const TXMLVeventType &foreign)
{
    if (!m_parent || !foreign)
        return {};
    xmlNode *copy = xmlDocCopyNode(foreign.node(), m_parent->doc, 1);
    xmlAddChild(m_parent, copy);
    m_events.emplace_back(copy);
    return m_events.back();
}

void TXMLVeventTypeList::Remove(const TXMLVeventType &event)
{
    if (!event || event.node()->parent != m_parent)
        return;
    std::erase(m_events, event);
    xmlUnlinkNode(event.node());
    if (auto *owner = TXCalDocument::owner(event.node()))
        owner->keepRemoved(event.node());
    else
        xmlFreeNode(event.node());
}

} // namespace kiv
