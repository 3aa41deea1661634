#pragma once

// The library's close of a finished workbook (XlsxClose::run) on a thread of
// its own. The close of a sheet near its last row runs for many seconds and
// cannot be interrupted; on its own thread it leaves the window alive, and a
// Cancel can end the export at once. The thread uses only the library and
// plain file calls, never a Qt object, and owns all it touches: the workbook,
// the path of its temporary folder.
//
// A close the export no longer wants (abandon) runs to its end in the
// background and then removes its temporary folder with the file it wrote.
// Abandoned closes are kept in a registry that the program waits for at exit,
// so that no thread outlives it and no temporary file is left.

#include "xlsxsheet.h"

#include <memory>
#include <thread>

class QString;
class QTemporaryDir;

class WorkbookClose
{
public:
    // Starts the close of `book`, whose file and temporary files lie in `folder`.
    WorkbookClose(XlsxClose book, const QString& folder);
    // Waits for a close neither finished nor abandoned.
    ~WorkbookClose();
    WorkbookClose(const WorkbookClose&) = delete;
    WorkbookClose& operator=(const WorkbookClose&) = delete;

    // The close has ended (then quick to join); never blocks.
    bool finished() const;
    // Waits for the end; true when the workbook's file is complete.
    bool succeeded();
    // The export no longer wants the file; returns at once. A close still
    // running takes `folder` over (its owner no longer removes it) and removes
    // it when it ends; one already ended leaves it to its owner.
    void abandon(QTemporaryDir& folder);

    struct Job;

private:
    std::shared_ptr<Job> m_job;
    std::thread m_thread;
};

// Waits until every abandoned close has ended and removed its files.
void waitForAbandonedWorkbooks();
