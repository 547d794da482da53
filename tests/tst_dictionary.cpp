// The dictionary file: how its bytes become text, and the load through the
// main window's "Physics Dictionary" into the dictionary window.

#include "dictionary/DictionaryFile.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString Main = QStringLiteral("frmPhysicsMain");
const QString Dictionary = QStringLiteral("dictionary");

} // namespace

class DictionaryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void decode_data();
    void decode();
    void windows1252ByteForByte();
    void path_data();
    void path();
    void installedPath_data();
    void installedPath();
    void loadsWholeFileAfresh();
    void backKeepsTextExitReadsAfresh();
    void unreadableFile_data();
    void unreadableFile();
    void shippedDictionary();

private:
    void write(const QByteArray &bytes);
    QString shownText();

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<RunningProgram> program;
};

void DictionaryTest::init()
{
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    program = std::make_unique<RunningProgram>(folder->path());
}

void DictionaryTest::cleanup()
{
    program.reset();
    folder.reset();
}

void DictionaryTest::write(const QByteArray &bytes)
{
    QFile file(dictionary::dictionaryPath(folder->path()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString DictionaryTest::shownText()
{
    return forms::controlText(forms::findControl(&program->windows.instance(Dictionary), QStringLiteral("Text1")));
}

void DictionaryTest::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("CR LF breaks lines") << QByteArray("Atom - a\r\nBoson - b\r\n") << QStringLiteral("Atom - a\nBoson - b\n");
    QTest::newRow("LF alone breaks lines too") << QByteArray("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("CR alone breaks lines too") << QByteArray("a\rb") << QStringLiteral("a\nb");
    QTest::newRow("NUL is kept") << QByteArray("a\0b", 3) << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    QTest::newRow("Windows-1252") << QByteArray("caf\xe9 \x80 \x93q\x94 \x99") << QStringLiteral("caf\u00e9 \u20ac \u201cq\u201d \u2122");
    QTest::newRow("UTF-8") << QByteArray("\xc3\x85ngstr\xc3\xb6m \xe2\x84\xab") << QStringLiteral("\u00c5ngstr\u00f6m \u212b");
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbfmu") << QStringLiteral("mu");
    QTest::newRow("broken UTF-8 is Windows-1252") << QByteArray("\xc3\x28") << QStringLiteral("\u00c3(");
}

void DictionaryTest::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(dictionary::decodeDictionary(bytes), text);
}

void DictionaryTest::windows1252ByteForByte()
{
    QByteArray bytes;
    for (int b = 0x20; b <= 0xFF; ++b)
        bytes.append(char(b));
    const QString text = dictionary::decodeDictionary(bytes);
    QCOMPARE(text.size(), bytes.size());
    QCOMPARE(text.at(0x80 - 0x20), QChar(0x20AC));
    QCOMPARE(text.at(0x81 - 0x20), QChar(0x0081));
    QCOMPARE(text.at(0x9F - 0x20), QChar(0x0178));
    for (int b = 0xA0; b <= 0xFF; ++b)
        QCOMPARE(text.at(b - 0x20), QChar(b));
    for (int b = 0x20; b < 0x7F; ++b)
        QCOMPARE(text.at(b - 0x20), QChar(b));
}

void DictionaryTest::path_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("ordinary folder") << "/opt/fyzorin" << "/opt/fyzorin/physicsdicionary2.txt";
    QTest::newRow("trailing separator") << "/opt/fyzorin/" << "/opt/fyzorin/physicsdicionary2.txt";
    QTest::newRow("filesystem root") << "/" << "/physicsdicionary2.txt";
}

void DictionaryTest::path()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(dictionary::dictionaryPath(folder), path);
}

// An installed program (prefix/bin) finds prefix/share/fyzorin's file unless
// its own folder has one.
void DictionaryTest::installedPath_data()
{
    QTest::addColumn<bool>("besideProgram");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("found");
    QTest::newRow("only installed") << false << true << "share/fyzorin/physicsdicionary2.txt";
    QTest::newRow("both: own folder first") << true << true << "bin/physicsdicionary2.txt";
    QTest::newRow("neither: own folder") << false << false << "bin/physicsdicionary2.txt";
}

void DictionaryTest::installedPath()
{
    QFETCH(bool, besideProgram);
    QFETCH(bool, installed);
    QFETCH(QString, found);
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("share/fyzorin")));
    const auto touch = [&](const QString &path) {
        QFile file(root.filePath(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
    };
    if (besideProgram)
        touch(QStringLiteral("bin/physicsdicionary2.txt"));
    if (installed)
        touch(QStringLiteral("share/fyzorin/physicsdicionary2.txt"));
    QCOMPARE(dictionary::dictionaryPath(root.filePath(QStringLiteral("bin"))), root.filePath(found));
}

void DictionaryTest::loadsWholeFileAfresh()
{
    write("Acceleration - rate of change of velocity; m/s^2.\r\n\r\nCaf\xe9 - \x80\r\n");
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    QCOMPARE(sorted(visibleKinds(program->windows)), sorted({Dictionary, Main}));
    QCOMPARE(shownText(), QStringLiteral("Acceleration - rate of change of velocity; m/s^2.\n\nCaf\u00e9 - \u20ac\n"));

    // Changed on disk, and edited by the user: the next click shows the file again.
    write("Second edition\r\n");
    QTest::keyClicks(forms::findControl(&program->windows.instance(Dictionary), QStringLiteral("Text1")), QStringLiteral("notes"));
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    QCOMPARE(shownText(), QStringLiteral("Second edition\n"));

    write(QByteArray());
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    QCOMPARE(shownText(), QString());
    QVERIFY(program->boxes.boxes.isEmpty());
}

void DictionaryTest::backKeepsTextExitReadsAfresh()
{
    write("Joule - unit of energy\r\n");
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    clickControl(program->windows, Dictionary, QStringLiteral("Command1"));
    QCOMPARE(shownText(), QStringLiteral("Joule - unit of energy\n"));
    program->windows.show(Dictionary);
    clickControl(program->windows, Dictionary, QStringLiteral("mnuExit"));
    QVERIFY(!program->windows.isLoaded(Dictionary));
    write("Kelvin - unit of temperature\r\n");
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    QCOMPARE(shownText(), QStringLiteral("Kelvin - unit of temperature\n"));
}

void DictionaryTest::unreadableFile_data()
{
    QTest::addColumn<bool>("asFolder");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << false << QStringLiteral("Run-time error '53':\n\nFile not found");
    QTest::newRow("a folder of that name") << true << QStringLiteral("Run-time error '75':\n\nPath/File access error");
}

void DictionaryTest::unreadableFile()
{
    QFETCH(bool, asFolder);
    QFETCH(QString, text);
    if (asFolder)
        QVERIFY(QDir(folder->path()).mkdir(QString::fromLatin1(dictionary::FileName)));
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    QCOMPARE(program->boxes.boxes.size(), 1);
    QCOMPARE(program->boxes.boxes[0].text, text);
    // The window was shown first and keeps what it held; the program goes on.
    QCOMPARE(sorted(visibleKinds(program->windows)), sorted({Dictionary, Main}));
    QCOMPARE(shownText(), QStringLiteral("Text1"));
    clickControl(program->windows, Dictionary, QStringLiteral("Command1"));
    QCOMPARE(visibleKinds(program->windows), QStringList{Main});
}

// The dictionary that ships: ASCII, CR LF line ends, alphabetical entries.
void DictionaryTest::shippedDictionary()
{
    QFile file(QStringLiteral(FYZORIN_SOURCE_DIR "/resources/") + QString::fromLatin1(dictionary::FileName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (const char byte : bytes)
        QVERIFY(byte == '\r' || byte == '\n' || (byte >= 0x20 && byte < 0x7F));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));

    QStringList terms;
    for (const QString &line : dictionary::decodeDictionary(bytes).split(QLatin1Char('\n'))) {
        const qsizetype dash = line.indexOf(QStringLiteral(" - "));
        if (dash > 0)
            terms.append(line.left(dash));
    }
    QVERIFY2(terms.size() >= 400, qPrintable(QString::number(terms.size())));
    for (qsizetype i = 1; i < terms.size(); ++i)
        QVERIFY2(terms[i - 1].compare(terms[i], Qt::CaseInsensitive) < 0, qPrintable(terms[i]));
}

QTEST_MAIN(DictionaryTest)
#include "tst_dictionary.moc"
