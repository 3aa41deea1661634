// The one check of every file the operator names: what may stand under the
// name, the size bound, and the bounded read.

#include "operatorfile.h"
#include "unusualnames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(FileCheck)

namespace
{

const QByteArray Content = "0123456789ABCDEF\r\n";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System |
                                  QDir::Hidden);
}

} // namespace

class TestOperatorFile : public QObject
{
    Q_OBJECT

    // Makes what the row names under dir/name (a link's target in dir/other).
    static std::unique_ptr<UnusualName> make(const QString& kind, const QTemporaryDir& dir,
                                             bool& made)
    {
        const QString name = dir.filePath("name");
        const QString other = dir.filePath("other");
        made = true;
        if (kind == "missing")
            return nullptr;
        if (kind == "plain file") {
            made = writeFile(name, Content);
            return nullptr;
        }
        if (kind == "link to a plain file") {
            made = writeFile(dir.filePath("target"), Content) &&
                   QFile::link(dir.filePath("target"), name);
            return nullptr;
        }
        made = QDir().mkdir(other);
        auto unusual = std::make_unique<UnusualName>(kind, name, other);
        made = made && unusual->ok();
        return unusual;
    }

private slots:
    // Each kind of name through the check, an open for reading, an open for
    // writing and a read. Nothing but a plain file (or a link to one) is ever
    // opened, a pipe included, and the refusals create nothing; a missing name
    // is created only by the open for writing.
    void kinds_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<FileCheck>("check");
        QTest::addColumn<FileCheck>("openToRead");
        QTest::addColumn<FileCheck>("openToWrite");
        QTest::addColumn<bool>("writable");
        const FileCheck ok = FileCheck::Ok;
        const FileCheck no = FileCheck::NotPlain;
        const FileCheck missing = FileCheck::Missing;
        QTest::newRow("missing") << "missing" << missing << missing << ok << true;
        QTest::newRow("plain file") << "plain file" << ok << ok << ok << true;
        QTest::newRow("link to a plain file") << "link to a plain file" << ok << ok << ok << true;
        for (const QString& kind : unusualNameKinds() + QStringList{"link to /dev/null"})
            QTest::newRow(qPrintable(kind)) << kind << no << no << no << false;
    }
    void kinds()
    {
        QFETCH(QString, kind);
        QFETCH(FileCheck, check);
        QFETCH(FileCheck, openToRead);
        QFETCH(FileCheck, openToWrite);
        QFETCH(bool, writable);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        bool made = false;
        const std::unique_ptr<UnusualName> unusual = make(kind, dir, made);
        QVERIFY(made);
        const QString name = dir.filePath("name");
        const QStringList before = entries(dir.path());

        QCOMPARE(checkOperatorFile(name), check);
        QCOMPARE(writableOperatorFileName(name), writable);
        {
            QFile file(name);
            QCOMPARE(openOperatorFile(file, QIODevice::ReadOnly), openToRead);
            QCOMPARE(file.isOpen(), openToRead == FileCheck::Ok);
        }
        QByteArray bytes = "left over";
        QCOMPARE(readOperatorFile(name, 1000, &bytes), openToRead);
        QCOMPARE(bytes, openToRead == FileCheck::Ok ? Content : QByteArray());
        QCOMPARE(entries(dir.path()), before);
        {
            QFile file(name);
            QCOMPARE(openOperatorFile(file, QIODevice::ReadWrite | QIODevice::Append), openToWrite);
            QCOMPARE(file.isOpen(), openToWrite == FileCheck::Ok);
        }
        if (kind == "missing")
            QVERIFY(QFileInfo(name).isFile());
        else
            QCOMPARE(entries(dir.path()), before);
        if (unusual)
            QVERIFY(unusual->unchanged());
    }

    // The bound is checked on the name before the open and on the handle
    // after it; a file of exactly the bound passes, one byte more does not.
    void sizeBound_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("bound");
        QTest::addColumn<FileCheck>("result");
        QTest::newRow("empty, bound 0") << qint64(0) << qint64(0) << FileCheck::Ok;
        QTest::newRow("one byte, bound 0") << qint64(1) << qint64(0) << FileCheck::TooLarge;
        QTest::newRow("at the bound") << qint64(5528) << qint64(5528) << FileCheck::Ok;
        QTest::newRow("one byte past") << qint64(5529) << qint64(5528) << FileCheck::TooLarge;
        QTest::newRow("below the bound") << qint64(100) << qint64(5528) << FileCheck::Ok;
        QTest::newRow("several pieces") << qint64(300000) << qint64(300000) << FileCheck::Ok;
        QTest::newRow("no bound") << qint64(300000) << qint64(AnySize) << FileCheck::Ok;
    }
    void sizeBound()
    {
        QFETCH(qint64, size);
        QFETCH(qint64, bound);
        QFETCH(FileCheck, result);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString name = dir.filePath("name");
        QByteArray content(int(size), '\0');
        for (int i = 0; i < content.size(); ++i)
            content[i] = char('A' + i % 26);
        QVERIFY(writeFile(name, content));
        QCOMPARE(checkOperatorFile(name, bound), result);
        QFile file(name);
        QCOMPARE(openOperatorFile(file, QIODevice::ReadOnly, bound), result);
        QCOMPARE(file.isOpen(), result == FileCheck::Ok);
        QByteArray bytes;
        QCOMPARE(readOperatorFile(name, bound, &bytes), result);
        QCOMPARE(bytes, result == FileCheck::Ok ? content : QByteArray());
    }

    // A name far larger than the bound (a sparse file, nothing written) is
    // refused by its size, however large it is.
    void hugeFileRefusedBySize()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString name = dir.filePath("huge.hex");
        {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(8) << 30));
        }
        QByteArray bytes;
        QCOMPARE(readOperatorFile(name, 1 << 20, &bytes), FileCheck::TooLarge);
        QVERIFY(bytes.isEmpty());
        QCOMPARE(checkOperatorFile(name, 1 << 20), FileCheck::TooLarge);
        QCOMPARE(checkOperatorFile(name), FileCheck::Ok);
    }
};

QTEST_MAIN(TestOperatorFile)
#include "test_operatorfile.moc"
