#include "ui/page/PageFontConversion.h"

#include <QTest>

namespace daylark {

class PageFontConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void aFontComesBackAsItWasWithTheFieldsTheEditorDoesNotUse();
    void theFaceNameIsCutToWholeCharacters();
};

void PageFontConversionTest::aFontComesBackAsItWasWithTheFieldsTheEditorDoesNotUse()
{
    PageFont bold;
    bold.Height = -20; // 15 points
    bold.Weight = 700;
    bold.Italic = 1;
    bold.StrikeOut = 1;
    bold.FaceName = "DejaVu Sans";
    bold.Width = 7; // the fields the editor has no use for stay as they were read
    bold.Escapement = 900;
    bold.CharSet = 238;
    bold.Quality = 2;
    bold.PitchAndFamily = 34;

    PageFont plain;
    plain.Height = 13; // a positive height reads as the character height too
    plain.Underline = 1;
    plain.FaceName = "DejaVu Serif";

    struct Case
    {
        const char* name;
        PageFont font;
        double points;
        std::int32_t height;
        std::int32_t weight;
    };
    for (const Case& c :
         {Case{"bold", bold, 15.0, -20, 700}, Case{"plain", plain, 9.75, -13, 400}}) {
        const QFont shown = qtFontOf(c.font);
        QCOMPARE(shown.pointSizeF(), c.points);
        QCOMPARE(shown.family(), QString::fromStdString(c.font.FaceName));
        PageFont expected = c.font;
        expected.Height = c.height;
        expected.Weight = c.weight; // "no weight" is shown, and so kept, as normal
        QVERIFY2(pageFontOf(shown, c.font) == expected, c.name);
        QVERIFY2(pageFontOf(shown, c.font).format() == expected.format(), c.name);
    }

    // A chosen font replaces only what the editor shows.
    QFont chosen("DejaVu Sans Mono");
    chosen.setPixelSize(18);
    const PageFont fromPixels = pageFontOf(chosen, bold);
    QCOMPARE(fromPixels.Height, -18);
    QCOMPARE(fromPixels.Weight, 400);
    QCOMPARE(int(fromPixels.Italic), 0);
    QCOMPARE(int(fromPixels.StrikeOut), 0);
    QCOMPARE(fromPixels.FaceName, std::string("DejaVu Sans Mono"));
    QCOMPARE(fromPixels.Escapement, 900);
    QCOMPARE(int(fromPixels.CharSet), 238);
}

void PageFontConversionTest::theFaceNameIsCutToWholeCharacters()
{
    const struct
    {
        QString family;
        QString kept;
    } cases[] = {
        {QString(31, QChar('a')), QString(31, QChar('a'))},
        {QString(40, QChar('a')), QString(31, QChar('a'))},
        {QString(16, QChar(0xC4)), QString(15, QChar(0xC4))},              // two bytes each
        {QString::fromUtf8("\xF0\x9D\x94\x84").repeated(8),                // four bytes each,
         QString::fromUtf8("\xF0\x9D\x94\x84").repeated(7)},               // a surrogate pair
        {QString("x") + QString::fromUtf8("\xF0\x9D\x94\x84").repeated(8), // kept whole
         QString("x") + QString::fromUtf8("\xF0\x9D\x94\x84").repeated(7)},
    };
    for (const auto& c : cases) {
        QFont font;
        font.setFamily(c.family);
        const std::string face = pageFontOf(font, PageFont{}).FaceName;
        QVERIFY(face.size() <= PageFont::kMaxFaceName);
        QCOMPARE(QString::fromStdString(face), c.kept);
    }
}

} // namespace daylark

QTEST_MAIN(daylark::PageFontConversionTest)
#include "PageFontConversionTest.moc"
