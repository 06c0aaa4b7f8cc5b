#include "ui/page/PageEdit.h"

#include "diary/PageFont.h"

#include <QTest>

namespace daylark {

class PageEditTest : public QObject
{
    Q_OBJECT

private slots:
    void lineBreaksShowSingleSpacedAndComeBackAsCrLf_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("handedBack");
        QTest::newRow("CR CR LF groups") << QByteArray("a\r\r\nb\r\r\n\r\r\nc")
                                         << QString("a\nb\n\nc") << QByteArray("a\r\nb\r\n\r\nc");
        QTest::newRow("lone CR, CR run, LF")
            << QByteArray("a\rb\r\r\rc\nd") << QString("a\nb\nc\nd")
            << QByteArray("a\r\nb\r\nc\r\nd");
        QTest::newRow("UTF-8 kept") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC")
                                    << QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC")
                                    << QByteArray("caf\xC3\xA9 \xE2\x82\xAC");
        QTest::newRow("8-bit text shown as Windows-1252")
            << QByteArray("caf\xE9 \x80\x81")
            << QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC\xC2\x81")
            << QByteArray("caf\xC3\xA9 \xE2\x82\xAC\xC2\x81");
        QTest::newRow("each line decoded on its own")
            << QByteArray("caf\xE9\r\r\ncaf\xC3\xA9")
            << QString::fromUtf8("caf\xC3\xA9\ncaf\xC3\xA9")
            << QByteArray("caf\xC3\xA9\r\ncaf\xC3\xA9");
    }

    void lineBreaksShowSingleSpacedAndComeBackAsCrLf()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(QByteArray, handedBack);
        PageEdit edit;
        edit.setText(std::string_view(stored.constData(), static_cast<std::size_t>(stored.size())));
        QCOMPARE(edit.toPlainText(), shown);
        QCOMPARE(QByteArray::fromStdString(edit.text()), handedBack);
        QVERIFY(!edit.toPlainText().contains(QChar::ReplacementCharacter));
    }

    void selectionsAreByteOffsetsOfTheText()
    {
        PageEdit edit;
        edit.setText("\xC3\xA9t\xC3\xA9\r\r\n{} tea");
        // "été" is 5 bytes, the break 2 (CR LF as handed back): "{}" starts at
        // byte 7.
        edit.setSelection(7, 9);
        QCOMPARE(QByteArray::fromStdString(edit.selectedText()), QByteArray("{}"));
        QCOMPARE(edit.selection().start, std::size_t(7));
        QCOMPARE(edit.selection().end, std::size_t(9));
        edit.setModified(false);
        edit.replaceSelection("{x}");
        QVERIFY(edit.modified());
        QCOMPARE(QByteArray::fromStdString(edit.text()),
                 QByteArray("\xC3\xA9t\xC3\xA9\r\n{x} tea"));
        QCOMPARE(edit.selection().start, std::size_t(10));
        edit.setSelection(1, 1); // inside "é": the caret goes after the character
        QCOMPARE(edit.selection().start, std::size_t(2));
    }

    void appendedTextIsOneUndoStepOfItsOwn()
    {
        PageEdit edit;
        edit.setText("caf\xC3\xA9");
        edit.setModified(false);
        edit.setSelection(100, 100);
        QTest::keyClicks(&edit, " au lait");
        edit.setSelection(0, 0);
        // Text that goes on where the typing ended, without a line break, would join the
        // typing's undo step unless it is an edit of its own.
        edit.appendText(" noir");
        QCOMPARE(QByteArray::fromStdString(edit.text()), QByteArray("caf\xC3\xA9 au lait noir"));
        QCOMPARE(edit.selection().start, std::size_t(18));
        QVERIFY(edit.modified());
        edit.undo();
        QCOMPARE(QByteArray::fromStdString(edit.text()), QByteArray("caf\xC3\xA9 au lait"));
        edit.undo();
        QCOMPARE(QByteArray::fromStdString(edit.text()), QByteArray("caf\xC3\xA9"));
        QVERIFY(!edit.modified());

        // Appended bytes are mapped as a whole text set is.
        edit.appendText("\r\r\nth\xE9\r");
        QCOMPARE(QByteArray::fromStdString(edit.text()),
                 QByteArray("caf\xC3\xA9\r\nth\xC3\xA9\r\n"));
    }

    void fontFollowsTheProfileFields()
    {
        PageEdit edit;
        PageFont page;
        page.Height = -16;
        page.Weight = 700;
        page.Italic = 1;
        page.FaceName = "DejaVu Sans";
        edit.setFont(page);
        QCOMPARE(edit.font().pointSizeF(), 12.0);
        QCOMPARE(edit.font().weight(), QFont::Bold);
        QVERIFY(edit.font().italic());
        QVERIFY(edit.font().families().contains("DejaVu Sans"));
    }
};

} // namespace daylark

QTEST_MAIN(daylark::PageEditTest)
#include "PageEditTest.moc"
