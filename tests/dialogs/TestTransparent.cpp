// The mask-shaped picture control: what it draws and which clicks it keeps.
#include "dialogs/ctlTransparent.h"
#include "platform/fake/FakePlatform.h"

#include <QApplication>
#include <QPainter>
#include <QtTest>

using dialogs::ctlTransparent;

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);
constexpr QRgb kBehind = qRgb(200, 0, 0); // the container's own colour
constexpr QRgb kInk = qRgb(0, 0, 0);
const QPoint kAt(10, 10); // where the container places the control

enum Kind { Drawn, Blank, Damaged };

// 42 x 40 on magenta with a black square at 10..29, 10..29; all magenta when blank; a file that did not
// decode gives a null picture.
QPixmap Picture(Kind kind)
{
    if (kind == Damaged)
        return {};
    QImage image(42, 40, QImage::Format_RGB32);
    image.fill(kMagenta);
    if (kind == Drawn) {
        QPainter painter(&image);
        painter.fillRect(10, 10, 20, 20, QColor(kInk));
    }
    return QPixmap::fromImage(image);
}

// A container that counts the presses that reach it.
class Container : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

} // namespace

class TestTransparent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void clicks_data();
    void clicks();
    void drawing_data();
    void drawing();

private:
    void place(QSize size, Kind kind);

    platform::FakePlatform m_os;
    std::unique_ptr<Container> m_container;
    ctlTransparent* m_control = nullptr;
};

void TestTransparent::initTestCase() { platform::Install(&m_os); }

void TestTransparent::init()
{
    m_container = std::make_unique<Container>();
    m_container->resize(120, 100);
    m_container->setAutoFillBackground(true);
    QPalette look = m_container->palette();
    look.setColor(QPalette::Window, QColor(kBehind));
    m_container->setPalette(look);
    m_control = new ctlTransparent(m_container.get());
}

void TestTransparent::cleanup() { m_container.reset(); }

// As the exit question does: size and place, mask colour, then the picture.
void TestTransparent::place(QSize size, Kind kind)
{
    m_control->move(kAt);
    m_control->resize(size);
    m_control->setMaskColor(0xFF00FF);
    m_control->setPicture(Picture(kind));
    m_container->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_container.get()));
}

void TestTransparent::clicks_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPoint>("point"); // in the control
    QTest::addColumn<bool>("control"); // true: Click; false: the container gets the press

    QTest::newRow("on the drawing") << QSize(42, 40) << int(Drawn) << QPoint(20, 20) << true;
    QTest::newRow("drawing's edge pixel") << QSize(42, 40) << int(Drawn) << QPoint(10, 29) << true;
    QTest::newRow("magenta beside the drawing") << QSize(42, 40) << int(Drawn) << QPoint(9, 20) << false;
    QTest::newRow("magenta corner") << QSize(42, 40) << int(Drawn) << QPoint(0, 0) << false;
    QTest::newRow("beyond the picture, larger control") << QSize(60, 50) << int(Drawn) << QPoint(50, 45) << true;
    QTest::newRow("all magenta keeps nothing") << QSize(42, 40) << int(Blank) << QPoint(20, 20) << false;
    QTest::newRow("a damaged picture keeps nothing") << QSize(42, 40) << int(Damaged) << QPoint(20, 20) << false;
}

void TestTransparent::clicks()
{
    QFETCH(QSize, size);
    QFETCH(int, kind);
    QFETCH(QPoint, point);
    QFETCH(bool, control);
    place(size, static_cast<Kind>(kind));
    QSignalSpy clicked(m_control, &ctlTransparent::Click);
    // Through the window, so the application finds the widget under the pointer as for a real click.
    QTest::mouseClick(m_container->windowHandle(), Qt::LeftButton, {}, kAt + point);
    QCOMPARE(clicked.count(), control ? 1 : 0);
    QCOMPARE(m_container->presses, control ? 0 : 1);
}

void TestTransparent::drawing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPoint>("point"); // in the control, 60 x 50 with the 42 x 40 picture
    QTest::addColumn<QRgb>("colour");

    const QRgb window = QApplication::palette().color(QPalette::Window).rgb();
    QTest::newRow("the drawing") << int(Drawn) << QPoint(20, 20) << kInk;
    QTest::newRow("magenta shows the window behind") << int(Drawn) << QPoint(2, 2) << kBehind;
    QTest::newRow("right of the picture: window colour") << int(Drawn) << QPoint(50, 10) << window;
    QTest::newRow("below the picture: window colour") << int(Drawn) << QPoint(10, 45) << window;
    QTest::newRow("a damaged picture shows the window behind") << int(Damaged) << QPoint(20, 20) << kBehind;
}

void TestTransparent::drawing()
{
    QFETCH(int, kind);
    QFETCH(QPoint, point);
    QFETCH(QRgb, colour);
    place(QSize(60, 50), static_cast<Kind>(kind));
    const QImage shown = m_container->grab().toImage();
    QCOMPARE(QColor(shown.pixel(kAt + point)), QColor(colour));
}

QTEST_MAIN(TestTransparent)
#include "TestTransparent.moc"
