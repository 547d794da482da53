// Links hand their address to the desktop once per click and change no window.

#include "LinkAddresses.h"
#include "app/DisclaimerPanel.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "forms/WindowDefinition.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>

namespace {

const QString Main = QStringLiteral("frmPhysicsMain");

constexpr forms::ControlDefinition PanelControls[] = {
    {.name = "Frame3", .kind = forms::ControlKind::Frame, .caption = "Disclaimer", .left = 0, .top = 0, .width = 3000, .height = 1500, .tab = 0},
    {.name = "Image2", .kind = forms::ControlKind::Image, .container = "Frame3", .left = 120, .top = 240, .width = 900, .height = 570, .picture = ":/fyzorin/fyzorin.png"},
};
constexpr forms::WindowDefinition PanelWindow{.name = "PanelWindow", .caption = "Panel", .clientWidth = 3000, .clientHeight = 1500, .controls = PanelControls};

} // namespace

class LinksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void mainWindowLinks_data();
    void mainWindowLinks();
    void donationPicture_data();
    void donationPicture();
    void chatInfoLabel();

private:
    std::unique_ptr<UrlRecorder> urls;
    std::unique_ptr<RunningProgram> program;
};

void LinksTest::init()
{
    urls = std::make_unique<UrlRecorder>();
    program = std::make_unique<RunningProgram>();
    program->windows.registerKind(PanelWindow, DisclaimerPanel::bind);
}

void LinksTest::cleanup()
{
    QVERIFY(program->boxes.boxes.isEmpty());
    program.reset();
    urls.reset();
}

void LinksTest::mainWindowLinks_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("update button") << QStringLiteral("Command5");
    QTest::newRow("Updates entry") << QStringLiteral("mnuUpdates");
    QTest::newRow("Technical Support entry") << QStringLiteral("mnuSupport");
}

void LinksTest::mainWindowLinks()
{
    QFETCH(QString, control);
    for (int click = 1; click <= 3; ++click) {
        clickControl(program->windows, Main, control);
        QCOMPARE(urls->opened.size(), click);
        QCOMPARE(urls->opened.last(), QUrl(QString::fromUtf8(UpdatesUrl)));
    }
    QCOMPARE(program->windows.loadedKinds(), QStringList{Main});
    QCOMPARE(visibleKinds(program->windows), QStringList{Main});
}

void LinksTest::donationPicture_data()
{
    QTest::addColumn<QString>("panel");
    QTest::newRow("bare panel") << QStringLiteral("PanelWindow");
    QTest::newRow("Form1") << QStringLiteral("Form1");
    QTest::newRow("Torque2") << QStringLiteral("Torque2");
    QTest::newRow("Voltage2") << QStringLiteral("Voltage2");
}

void LinksTest::donationPicture()
{
    QFETCH(QString, panel);
    program->windows.show(panel);
    QWidget *picture = forms::findControl(&program->windows.instance(panel), QStringLiteral("Image2"));
    for (int click = 1; click <= 3; ++click) {
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(urls->opened.size(), click);
    }
    QCOMPARE(urls->opened.last(), QUrl(QString::fromUtf8(DonateUrl)));

    // A double click opens the page once, through its first click.
    // The window system delivers it as press, release, double click, release.
    urls->opened.clear();
    QTest::mouseClick(picture, Qt::LeftButton);
    const QPointF centre = QRectF(picture->rect()).center();
    QMouseEvent second(QEvent::MouseButtonDblClick, centre, picture->mapToGlobal(centre),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &second);
    QTest::mouseRelease(picture, Qt::LeftButton);
    QCOMPARE(urls->opened.size(), 1);

    // Pressed on the picture but released elsewhere: no click.
    QTest::mousePress(picture, Qt::LeftButton);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(urls->opened.size(), 1);
    QCOMPARE(sorted(visibleKinds(program->windows)), sorted({Main, panel}));
}

void LinksTest::chatInfoLabel()
{
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    clickControl(program->windows, QStringLiteral("Chat"), QStringLiteral("Label3"));
    QCOMPARE(urls->opened, QList<QUrl>{QUrl(QString::fromUtf8(ChatInfoUrl))});
    QCOMPARE(visibleKinds(program->windows), QStringList{QStringLiteral("Chat")});
}

QTEST_MAIN(LinksTest)
#include "tst_links.moc"
