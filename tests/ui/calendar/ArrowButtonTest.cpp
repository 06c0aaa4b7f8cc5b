#include "ui/calendar/ArrowButton.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace daylark {

namespace {

constexpr std::array kStates = {ArrowState::Normal, ArrowState::Pressed, ArrowState::Focused,
                                ArrowState::Disabled};

QImage picture(Arrow arrow, ArrowState state, QSize size = {28, 28}, qreal ratio = 1)
{
    return arrowPicture(arrow, state, size, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isInk(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

/// The runs of dark pixels across one row, away from the border.
int inkRuns(const QImage& image, int y)
{
    int runs = 0;
    for (int x = 3; x < image.width() - 3; ++x) {
        runs += isInk(image, x, y) && !isInk(image, x - 1, y) ? 1 : 0;
    }
    return runs;
}

/// True when the arrow's first column of ink is taller than its last: its base is on the left.
bool pointsRight(const QImage& image)
{
    std::vector<int> heights;
    for (int x = 3; x < image.width() - 3; ++x) {
        int height = 0;
        for (int y = 3; y < image.height() - 3; ++y) {
            height += isInk(image, x, y) ? 1 : 0;
        }
        if (height > 0) {
            heights.push_back(height);
        }
    }
    return !heights.empty() && heights.front() > heights.back();
}

bool isGrey(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qGreen(p)) > 2 || std::abs(qGreen(p) - qBlue(p)) > 2) {
                return false;
            }
        }
    }
    return true;
}

/// The button shows the picture of `state` (compared inside its rounded corners).
bool shows(QWidget& button, ArrowState state)
{
    const QRect inside = QRect(QPoint(), button.size()).adjusted(4, 4, -4, -4);
    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    return shown.copy(inside) == picture(Arrow::MonthBack, state, button.size()).copy(inside);
}

} // namespace

class ArrowButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void picturesShowDirectionStepAndState()
    {
        struct Pair
        {
            Arrow back;
            Arrow forward;
            int glyphs;
        };
        for (const Pair pair : {Pair{Arrow::WeekBack, Arrow::WeekForward, 1},
                                Pair{Arrow::MonthBack, Arrow::MonthForward, 2}}) {
            const QImage forward = picture(pair.forward, ArrowState::Normal);
            // A row a little above the middle, where the two arrows of a month do not touch.
            QCOMPARE(inkRuns(forward, 11), pair.glyphs);
            QVERIFY(pointsRight(forward));
            QVERIFY(!pointsRight(picture(pair.back, ArrowState::Normal)));
            QVERIFY(!isGrey(forward));
            for (std::size_t i = 0; i < kStates.size(); ++i) {
                const QImage shown = picture(pair.forward, kStates[i]);
                QCOMPARE(picture(pair.back, kStates[i]), shown.mirrored(true, false));
                for (std::size_t j = 0; j < i; ++j) {
                    QVERIFY2(shown != picture(pair.forward, kStates[j]),
                             qPrintable(QString("states %1 and %2 look alike").arg(i).arg(j)));
                }
            }
            QVERIFY(isGrey(picture(pair.back, ArrowState::Disabled)));
        }
        // Drawn at the screen's density, not scaled up from the small picture.
        const QPixmap sharp = arrowPicture(Arrow::WeekForward, ArrowState::Normal, {28, 28}, 2);
        QCOMPARE(sharp.size(), QSize(56, 56));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(inkRuns(picture(Arrow::MonthForward, ArrowState::Normal, {28, 28}, 2), 22), 2);
    }

    void buttonTakesTheFocusAndShowsEachState()
    {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* button = new ArrowButton(Arrow::MonthBack, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(button);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(button->size(), button->sizeHint());
        QVERIFY(shows(*button, ArrowState::Normal));

        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        QVERIFY(shows(*button, ArrowState::Focused));
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::keyPress(button, Qt::Key_Space);
        QVERIFY(shows(*button, ArrowState::Pressed));
        QTest::keyRelease(button, Qt::Key_Space);
        QCOMPARE(clicked.size(), 1);
        button->setEnabled(false);
        QVERIFY(shows(*button, ArrowState::Disabled));
    }
};

} // namespace daylark

QTEST_MAIN(daylark::ArrowButtonTest)
#include "ArrowButtonTest.moc"
