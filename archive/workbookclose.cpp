#include "workbookclose.h"

#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

// What the close's thread and the export share; the thread holds its own
// reference, so nothing it uses is freed before it ends.
struct WorkbookClose::Job {
    XlsxClose book;
    std::filesystem::path folder;
    std::mutex mutex;
    bool done = false;
    bool abandoned = false;
    bool ok = false;
};

namespace
{
void runClose(const std::shared_ptr<WorkbookClose::Job>& job)
{
    const bool ok = job->book.run();
    bool abandoned = false;
    {
        const std::lock_guard<std::mutex> lock(job->mutex);
        job->ok = ok;
        job->done = true;
        abandoned = job->abandoned;
    }
    // No one else removes the folder of an abandoned close: its owner let it go.
    if (abandoned) {
        std::error_code error;
        std::filesystem::remove_all(job->folder, error);
    }
}

// The threads of abandoned closes, joined at the latest when the program ends
// (the registry is a static object, destroyed after main returns).
class AbandonedCloses
{
public:
    ~AbandonedCloses() { waitForAll(); }

    void add(std::thread thread, std::shared_ptr<WorkbookClose::Job> job)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        // Those already ended are joined now, so the list does not grow.
        for (auto it = m_closes.begin(); it != m_closes.end();) {
            bool done = false;
            {
                const std::lock_guard<std::mutex> jobLock(it->second->mutex);
                done = it->second->done;
            }
            if (done) {
                it->first.join();
                it = m_closes.erase(it);
            } else {
                ++it;
            }
        }
        m_closes.emplace_back(std::move(thread), std::move(job));
    }

    void waitForAll()
    {
        std::vector<std::pair<std::thread, std::shared_ptr<WorkbookClose::Job>>> closes;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            closes.swap(m_closes);
        }
        for (auto& close : closes)
            close.first.join();
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<std::thread, std::shared_ptr<WorkbookClose::Job>>> m_closes;
};

AbandonedCloses abandonedCloses;
} // namespace

WorkbookClose::WorkbookClose(XlsxClose book, const QString& folder) : m_job(std::make_shared<Job>())
{
    m_job->book = std::move(book);
    // The path in the system's own form (UTF-8 names on Windows too).
    m_job->folder = std::filesystem::u8path(folder.toUtf8().toStdString());
    std::shared_ptr<Job> job = m_job;
    try {
        m_thread = std::thread([job] { runClose(job); });
    } catch (const std::system_error&) {
        // No thread to be had: closed here, as before there were threads.
        runClose(job);
    }
}

WorkbookClose::~WorkbookClose()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool WorkbookClose::finished() const
{
    const std::lock_guard<std::mutex> lock(m_job->mutex);
    return m_job->done;
}

bool WorkbookClose::succeeded()
{
    if (m_thread.joinable())
        m_thread.join();
    const std::lock_guard<std::mutex> lock(m_job->mutex);
    return m_job->done && m_job->ok;
}

void WorkbookClose::abandon(QTemporaryDir& folder)
{
    if (!m_thread.joinable())
        return;
    bool running = false;
    {
        const std::lock_guard<std::mutex> lock(m_job->mutex);
        running = !m_job->done;
        // From here on the folder of a running close is the thread's: its owner
        // must not remove it under the close.
        m_job->abandoned = running;
    }
    if (running) {
        folder.setAutoRemove(false);
        abandonedCloses.add(std::move(m_thread), m_job);
    } else {
        m_thread.join(); // ended: the folder stays its owner's
    }
}

void waitForAbandonedWorkbooks()
{
    abandonedCloses.waitForAll();
}
