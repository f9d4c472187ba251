#pragma once
// Typed access to the elements of a calendar document (XCalDocument.h).
//
// Each accessor is a small handle on one element of the document; copying it
// copies the reference, the document keeps the element. Reading a single child
// (Dtstart(), Summary(), Valarm() ...) creates it as an empty last child of its
// element when it is missing, so documents gain empty elements in the order
// they are read. Reading attributes creates nothing. A null handle reads as
// empty and ignores writes.

#include <QString>
#include <vector>

struct _xmlNode;

namespace kiv {

class TXMLElement
{
public:
    TXMLElement() = default;
    explicit TXMLElement(_xmlNode *node) : m_node(node) {}

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }
    _xmlNode *node() const { return m_node; }
    QString name() const;
    // Whether the element is still part of its document's tree (false after
    // its vevent was removed).
    bool isAttached() const;
    // Line in the file it was read from, 0 when not known.
    int lineNumber() const;

    // The text of the element (its text and CDATA children); empty when none.
    QString text() const;
    // Replaces the element's content with the text (nothing for the empty text).
    void setText(const QString &text) const;
    // The attribute's value, empty when missing.
    QString attribute(const char *name) const;
    bool hasAttribute(const char *name) const;
    void setAttribute(const char *name, const QString &value) const;

    // The first child element of that name, created when missing.
    TXMLElement child(const char *name) const;
    QString childText(const char *name) const { return child(name).text(); }
    void setChildText(const char *name, const QString &text) const { child(name).setText(text); }

    friend bool operator==(const TXMLElement &a, const TXMLElement &b) { return a.m_node == b.m_node; }

protected:
    _xmlNode *m_node = nullptr;
};

// "dtstart" and "dtend" of an event: text plus attribute "TZID" (kept, never read).
class TXMLDtstartType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    QString TZID() const { return attribute("TZID"); }
    void setTZID(const QString &v) const { setAttribute("TZID", v); }
};
using TXMLDtendType = TXMLDtstartType;

// "valarm": texts "trigger", "action", "description".
class TXMLValarmType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    QString Trigger() const { return childText("trigger"); }
    void setTrigger(const QString &v) const { setChildText("trigger", v); }
    QString Action() const { return childText("action"); }
    void setAction(const QString &v) const { setChildText("action", v); }
    QString Description() const { return childText("description"); }
    void setDescription(const QString &v) const { setChildText("description", v); }
};

// "vevent": one appointment.
class TXMLVeventType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    TXMLDtstartType Dtstart() const { return TXMLDtstartType(child("dtstart").node()); }
    TXMLDtendType Dtend() const { return TXMLDtendType(child("dtend").node()); }
    QString Transp() const { return childText("transp"); }
    void setTransp(const QString &v) const { setChildText("transp", v); }
    QString Uid() const { return childText("uid"); }
    void setUid(const QString &v) const { setChildText("uid", v); }
    QString Last_modified() const { return childText("last_modified"); }
    void setLast_modified(const QString &v) const { setChildText("last_modified", v); }
    QString Dtstamp() const { return childText("dtstamp"); }
    void setDtstamp(const QString &v) const { setChildText("dtstamp", v); }
    QString Summary() const { return childText("summary"); }
    void setSummary(const QString &v) const { setChildText("summary", v); }
    QString Description() const { return childText("description"); }
    void setDescription(const QString &v) const { setChildText("description", v); }
    QString Location() const { return childText("location"); }
    void setLocation(const QString &v) const { setChildText("location", v); }
    QString Class_() const { return childText("class"); }
    void setClass_(const QString &v) const { setChildText("class", v); }
    TXMLValarmType Valarm() const { return TXMLValarmType(child("valarm").node()); }
};

// "rrule" of a time-zone rule: attributes only; kept, never interpreted.
class TXMLRruleType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    QString FREQ() const { return attribute("FREQ"); }
    void setFREQ(const QString &v) const { setAttribute("FREQ", v); }
    int INTERVAL() const { return attribute("INTERVAL").toInt(); } // 0 when not a number
    void setINTERVAL(int v) const { setAttribute("INTERVAL", QString::number(v)); }
    QString BYDAY() const { return attribute("BYDAY"); }
    void setBYDAY(const QString &v) const { setAttribute("BYDAY", v); }
    int BYMONTH() const { return attribute("BYMONTH").toInt(); }
    void setBYMONTH(int v) const { setAttribute("BYMONTH", QString::number(v)); }
};

// "standard" and "daylight" of a time zone.
class TXMLStandardType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    QString Dtstart() const { return childText("dtstart"); }
    void setDtstart(const QString &v) const { setChildText("dtstart", v); }
    TXMLRruleType Rrule() const { return TXMLRruleType(child("rrule").node()); }
    QString Tzoffsetfrom() const { return childText("tzoffsetfrom"); }
    void setTzoffsetfrom(const QString &v) const { setChildText("tzoffsetfrom", v); }
    QString Tzoffsetto() const { return childText("tzoffsetto"); }
    void setTzoffsetto(const QString &v) const { setChildText("tzoffsetto", v); }
    QString Tzname() const { return childText("tzname"); }
    void setTzname(const QString &v) const { setChildText("tzname", v); }
};
using TXMLDaylightType = TXMLStandardType;

// "vtimezone": kept when present, never read by the calendar.
class TXMLVtimezoneType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    QString Tzid() const { return childText("tzid"); }
    void setTzid(const QString &v) const { setChildText("tzid", v); }
    TXMLStandardType Standard() const { return TXMLStandardType(child("standard").node()); }
    TXMLDaylightType Daylight() const { return TXMLDaylightType(child("daylight").node()); }
};

// The "vevent" children of a "vcalendar" in document order, as they were when
// the collection was taken (take it once per walk: taking it scans the children).
class TXMLVeventTypeList
{
public:
    TXMLVeventTypeList() = default;
    explicit TXMLVeventTypeList(_xmlNode *vcalendar);

    int Count() const { return static_cast<int>(m_events.size()); }
    TXMLVeventType Items(int index) const { return m_events.at(static_cast<size_t>(index)); }
    TXMLVeventType operator[](int index) const { return Items(index); }
    // A new empty "vevent" as the last child of "vcalendar".
    TXMLVeventType Add();
    // A copy of an event of another document, appended as the last child.
    TXMLVeventType AddCopy(const TXMLVeventType &foreign);
    // Takes the element out of the document. Handles to it stay valid (the
    // document keeps removed elements until it is destroyed) but are detached:
    // isAttached() is false and changes to them are never saved.
    void Remove(const TXMLVeventType &event);

    std::vector<TXMLVeventType>::const_iterator begin() const { return m_events.begin(); }
    std::vector<TXMLVeventType>::const_iterator end() const { return m_events.end(); }

private:
    _xmlNode *m_parent = nullptr;
    std::vector<TXMLVeventType> m_events;
};

// "vcalendar".
class TXMLVcalendarType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    QString Prodid() const { return childText("prodid"); }
    void setProdid(const QString &v) const { setChildText("prodid", v); }
    QString Version() const { return childText("version"); }
    void setVersion(const QString &v) const { setChildText("version", v); }
    QString Method() const { return childText("method"); }
    void setMethod(const QString &v) const { setChildText("method", v); }
    TXMLVtimezoneType Vtimezone() const { return TXMLVtimezoneType(child("vtimezone").node()); }
    TXMLVeventTypeList Vevent() const { return TXMLVeventTypeList(m_node); }
};

// "icalendar", the root.
class TXMLIcalendarType : public TXMLElement
{
public:
    using TXMLElement::TXMLElement;
    TXMLVcalendarType Vcalendar() const { return TXMLVcalendarType(child("vcalendar").node()); }
};

} // namespace kiv
