#pragma once
// The calendar of the running program: the calendar file's name, its document
// (the master copy: every change is written into it, then the whole file is
// saved) and the entry list built from it. One per process; the month view
// makes it at start.

#include "CalList.h"
#include "XCalDocument.h"

#include <QString>

namespace kiv {

class IDialogs;
class TAppPaths;

// What happened to the calendar file at start.
struct TCalStartResult
{
    enum Kind { Loaded, Created, Damaged } kind = Created;
    QString reason; // for Damaged: why the file could not be loaded
    QString keptAs; // for Damaged: where the file is kept before the first save
    // The user's message for Damaged (names the file, the reason and the copy).
    QString message(const QString &fileName) const;
};

class TCalendarState
{
public:
    QString CalFileName;
    TXCalDocumentPtr XCalDoc;
    TCalList CalList{TCalList::Owning};

    // Start-up: empties CalList; when there is no document yet, loads the
    // calendar file (or makes a new document when there is no file) and
    // builds CalList. A file that exists but cannot be loaded (not
    // well-formed, an invalid date text, another root element) gives an empty
    // calendar; that file is kept as fileName + ".damaged" (or ".damaged.N"
    // when that name is taken) before the first save over it. Nothing is
    // written here.
    TCalStartResult startUp(const QString &calFileName);
    // The same for the program: the file beside the executable (".xml"); a
    // damaged file is reported through `dialogs`.
    void startUp(const TAppPaths &paths, IDialogs &dialogs);

    // Builds CalList from XCalDoc's events in document order: an end before
    // the start is moved to the start, WholeDay = not IsSameDay(start, end) as
    // read, and an event without "uid" gets a new one written into its element
    // (the file follows with the next save). Throws KivError naming the event
    // for an invalid date text; CalList is then left empty.
    void LoadCalList();

    // SaveXCal(CalFileName, XCalDoc).
    void save();
    // Takes the entry's event element out of the document and the entry out
    // of CalList (destroying it); the file is not written.
    void removeEntry(TCalEntry *entry);
    // Empties CalList, loads the calendar file anew and rebuilds CalList (after
    // a merge or a download replaced the file). Throws when it cannot be
    // loaded; the state is then unchanged.
    void reload();
};

} // namespace kiv
