#pragma once

// Named pipes standing where the program expects a file. A test that hands
// the program a pipe keeps a PipeFeeder on it: should the program open the
// pipe for reading (which waits for a writer for good), the feeder writes a
// few lines and closes, so that the test goes on and fails instead of hanging.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
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

inline bool isPipe(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}
