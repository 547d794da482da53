// The calculator, converter and dictionary windows through their named controls.

#include "dictionary/DictionaryFile.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "solvers/FormulaCatalogue.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class WindowsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder; // the program's folder, where it reads the dictionary
    std::unique_ptr<RunningProgram> program;

    QWidget *box(QString window, QString name) { return forms::findControl(&program->windows.instance(window), name); }
    QString text(QString window, QString name) { return forms::controlText(box(window, name)); }
    void set(QString window, QString name, QString typed) { forms::setControlText(box(window, name), typed); }
    void click(QString window, QString control) { clickControl(program->windows, window, control); }
    QStringList visible() { return sorted(visibleKinds(program->windows)); }
    QString lastBox() { return program->boxes.boxes.size() == 1 ? program->boxes.boxes[0].text : "not one box"; }

private Q_SLOTS:
    void init() { program = std::make_unique<RunningProgram>(folder.path()); }
    void cleanup() { program.reset(); }

    // Calculate reads the inputs and writes the result; a failure shows its box, keeps the result, and the
    // program goes on. Values survive Back; the close box unloads.
    void calculator()
    {
        const auto shown = [this] {
            return text("Form1", "Text1") + text("Form1", "Text2") + text("Form1", "Text3") + text("Form1", "Text4");
        };
        click("frmPhysicsMain", "Command4");
        click("Formulasolvers", "Command15");
        for (const auto &[name, typed] : {std::pair{"Text3", "4"}, {"Text2", "2"}, {"Text4", "3"}, {"Text3", "0"}}) {
            set("Form1", name, typed);
            click("Form1", "Command2");
        }
        QCOMPARE(lastBox(), QStringLiteral("Run-time error '11':\n\nDivision by zero"));
        QCOMPARE(shown(), QStringLiteral("1.5203"));
        click("Form1", "Command1");
        click("Formulasolvers", "Command15"); // hides the main window Back showed
        QCOMPARE(visible(), sorted({"Formulasolvers", "Form1"}));
        QCOMPARE(shown(), QStringLiteral("1.5203"));
        closeWindow(program->windows, "Form1");
        QVERIFY(!program->windows.isLoaded("Form1"));
    }

    // Form1's Back leads to the main window, the others' to the index; Angular momentum's and the spring constant's
    // Exit hide them (keeping their values) and show the index, the others' unload them; the donation picture.
    void everyCalculatorsBackExitAndDonation()
    {
        const QStringList exitHides{"AngularMomemtum", "springconstant"};
        UrlRecorder urls;
        for (const solvers::CatalogueEntry &entry : solvers::formulaCatalogue()) {
            const QString window = forms::toQString(entry.window);
            program->windows.unload("Formulasolvers");
            program->windows.show(window);
            if (QWidget *picture = box(window, "Image2"))
                QTest::mouseClick(picture, Qt::LeftButton);
            set(window, "Text2", "kept");
            click(window, "mnuExit");
            QCOMPARE(program->windows.isVisible("Formulasolvers"), exitHides.contains(window));
            program->windows.show(window);
            QCOMPARE(text(window, "Text2"), exitHides.contains(window) ? "kept" : "");
            click(window, "Command1");
            QCOMPARE(visible(), window == "Form1" ? QStringList{"frmPhysicsMain"}
                                                  : sorted({"Formulasolvers", "frmPhysicsMain"}));
        }
        QCOMPARE(urls.opened.size(), 3); // Form1, Torque2, Voltage2
    }

    // A button converts its box into its box; inches convert while typed, and an overflow there keeps the result.
    void converters()
    {
        click("frmPhysicsMain", "Command1");
        set("converters", "Text4", "100");
        set("converters", "Text3", "typed over");
        click("converters", "Command3");
        QCOMPARE(text("converters", "Text4") + ' ' + text("converters", "Text3"),
                 QStringLiteral("100 160.25641025641"));
        QTest::keyClick(box("converters", "Text5"), Qt::Key_1);
        QCOMPARE(text("converters", "Text6"), QStringLiteral("2.54"));
        QTest::keyClicks(box("converters", "Text5"), QStringLiteral("e308"));
        QCOMPARE(lastBox(), QStringLiteral("Run-time error '6':\n\nOverflow"));
        QCOMPARE(text("converters", "Text5") + ' ' + text("converters", "Text6"), QStringLiteral("1e308 2.54E+30"));
    }

    // Shown whole, read afresh on every click whatever the user typed; a missing file: box, text kept.
    void dictionary()
    {
        QFile file(folder.filePath(QString::fromLatin1(dictionary::FileName)));
        for (const QByteArray bytes : {"Acceleration - a\r\n\r\nCaf\xe9 - \x80\r\n", "Joule\r\n"}) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
            file.close();
            click("frmPhysicsMain", "Command2");
            QCOMPARE(text("dictionary", "Text1"), dictionary::decodeDictionary(bytes));
            QTest::keyClicks(box("dictionary", "Text1"), QStringLiteral("notes"));
        }
        const QString kept = text("dictionary", "Text1");
        QVERIFY(file.remove());
        click("frmPhysicsMain", "Command2");
        QCOMPARE(lastBox(), QStringLiteral("Run-time error '53':\n\nFile not found"));
        QCOMPARE(text("dictionary", "Text1"), kept); // still loaded
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
