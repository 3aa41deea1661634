#pragma once

// Names under which something else than a plain file stands: a named pipe, a
// device, a folder, a dangling link, or a link to one of these. A program
// that opens a pipe for reading waits for a writer for good, so every pipe
// made here has a PipeFeeder: should the program open it, the feeder writes a
// few lines and closes, and the test goes on and fails instead of hanging.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class PipeFeeder
{
public:
    explicit PipeFeeder(const QString& path)
        : path(QFile::encodeName(path)), thread([this] { run(); })
    {
    }
    ~PipeFeeder()
    {
        stop = true;
        thread.join();
    }
    PipeFeeder(const PipeFeeder&) = delete;
    PipeFeeder& operator=(const PipeFeeder&) = delete;
    bool pipeOpened() const { return opened; }

private:
    void run()
    {
        const QByteArray lines = QByteArray("read from the pipe\r\n").repeated(8);
        while (!stop) {
            // Without a reader this fails at once instead of waiting for one.
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                opened = true;
                const ssize_t written = ::write(fd, lines.constData(), size_t(lines.size()));
                Q_UNUSED(written);
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    const QByteArray path;
    std::atomic<bool> stop{false};
    std::atomic<bool> opened{false};
    std::thread thread;
};

inline bool makePipe(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

inline bool isCharacterDevice(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

inline bool isPipe(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// The kinds for the tables of refused names.
inline QStringList unusualNameKinds()
{
    return {"pipe",   "link to a pipe",   "link to /dev/zero",
            "folder", "link to a folder", "dangling link"};
}

// The rows of a test function's _data: a column "kind", one row per unusual kind.
inline void addUnusualNameRows()
{
    QTest::addColumn<QString>("kind");
    for (const QString& kind : unusualNameKinds())
        QTest::newRow(qPrintable(kind)) << kind;
}

// One of unusualNameKinds() (or "link to /dev/null") put under `name`; a
// link's target (pipe, folder, or nothing) lies in the folder `elsewhere`.
// Removed again when the object ends.
class UnusualName
{
public:
    UnusualName(const QString& kind, const QString& name, const QString& elsewhere)
        : kind(kind), name(name), folder(elsewhere), target(QDir(elsewhere).filePath("target"))
    {
        made = make();
        before = entries();
    }
    ~UnusualName()
    {
        feeder.reset();
        const QFileInfo info(name);
        if (info.isDir() && !info.isSymLink())
            QDir(name).removeRecursively();
        else
            QFile::remove(name);
    }
    UnusualName(const UnusualName&) = delete;
    UnusualName& operator=(const UnusualName&) = delete;

    bool ok() const { return made; }
    bool pipeOpened() const { return feeder && feeder->pipeOpened(); }

    // The same thing still stands under the name, nothing was opened, and
    // nothing came or went beside the target.
    bool unchanged() const
    {
        if (pipeOpened() || entries() != before)
            return false;
        const QFileInfo info(name);
        if (kind.contains("link")) {
            if (!info.isSymLink())
                return false;
        } else if (info.isSymLink()) {
            return false;
        }
        if (kind == "pipe")
            return isPipe(name);
        if (kind == "link to a pipe")
            return info.symLinkTarget() == target && isPipe(target);
        if (kind == "link to /dev/zero")
            return info.symLinkTarget() == zeroDevice && isCharacterDevice(zeroDevice);
        if (kind == "link to /dev/null")
            return info.symLinkTarget() == "/dev/null";
        if (kind == "folder")
            return info.isDir() && QDir(name).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                      QDir::System | QDir::Hidden);
        if (kind == "link to a folder")
            return info.symLinkTarget() == target && QFileInfo(target).isDir();
        if (kind == "dangling link")
            return !QFileInfo::exists(target) && !QFileInfo(target).isSymLink();
        return false;
    }

private:
    bool make()
    {
        if (kind == "pipe" || kind == "link to a pipe") {
            const QString pipe = kind == "pipe" ? name : target;
            if (!makePipe(pipe))
                return false;
            feeder = std::make_unique<PipeFeeder>(pipe);
            return kind == "pipe" || QFile::link(pipe, name);
        }
        if (kind == "link to /dev/zero") {
            // Run as root, a program that writes through the link (a file
            // written aside and renamed over the link's target) would replace
            // the system's /dev/zero by a plain file: the link then points to
            // a zero device of the test's own.
            zeroDevice = QStringLiteral("/dev/zero");
            const QString own = QDir(folder).filePath("zero");
            if (::geteuid() == 0 &&
                ::mknod(QFile::encodeName(own).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0)
                zeroDevice = own;
            return QFile::link(zeroDevice, name);
        }
        if (kind == "link to /dev/null")
            return QFile::link("/dev/null", name);
        if (kind == "folder")
            return QDir().mkdir(name);
        if (kind == "link to a folder")
            return QDir().mkdir(target) && QFile::link(target, name);
        if (kind == "dangling link")
            return QFile::link(target, name);
        return false;
    }

    QStringList entries() const
    {
        const QDir::Filters all =
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden;
        return QDir(folder).entryList(all) + QDir(QFileInfo(name).absolutePath()).entryList(all);
    }

    const QString kind;
    const QString name;
    const QString folder;
    const QString target;
    QString zeroDevice;
    bool made = false;
    QStringList before;
    std::unique_ptr<PipeFeeder> feeder;
};
