#include "ui/lists/ListDialogView.h"

#include "records/CListDlg.h"
#include "records/CTodoFile.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/WidgetLookup.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace daylark {

using test::child;

namespace {

/// A lists file holding "Shopping" and "books" (file order), and the dialog's logic over it.
struct ListData
{
    ListData()
    {
        CTodoFile lists(path, sink);
        for (const char* name : {"Shopping", "books"}) {
            auto list = std::make_unique<CDaylarkTodo>();
            list->Name = name;
            list->Contents = std::string(name) + "\r\nsecond line";
            lists.add(std::move(list));
        }
        lists.Save();
    }

    test::TempDir dir;
    std::string path = dir.file("daylark.tdl");
    test::RecordingSink sink;
    test::FixedClock clock{857401500};
    CTodoFile lists{path, sink};
    CListDlg logic{lists, clock, sink};
};

QStringList shownNames(QListWidget* names)
{
    QStringList result;
    for (int i = 0; i < names->count(); ++i) {
        result << names->item(i)->text();
    }
    return result;
}

void clickEntry(QListWidget* names, int row)
{
    const QRect place = names->visualItemRect(names->item(row));
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, place.center());
}

} // namespace

class ListDialogViewTest : public QObject
{
    Q_OBJECT

private slots:
    void editsAddsDeletesAndTheCloseBoxSaves()
    {
        ListData data;
        ListDialogView view(data.logic);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.windowTitle(), QString("List Management"));
        auto* names = child<QListWidget>(view, "names");
        auto* name = child<QLineEdit>(view, "name");
        auto* contents = child<QPlainTextEdit>(view, "contents");
        QCOMPARE(shownNames(names), (QStringList{"books", "Shopping"}));
        QCOMPARE(names->currentRow(), 0);
        QCOMPARE(name->text(), QString("New List"));
        QCOMPARE(contents->toPlainText(), QString("books\nsecond line"));

        // Enter in the contents box starts a new line and does not press Add.
        contents->moveCursor(QTextCursor::End);
        QTest::keyClick(contents, Qt::Key_Return);
        QTest::keyClicks(contents, "third");
        QCOMPARE(names->count(), 2);
        clickEntry(names, 1);
        QCOMPARE(contents->toPlainText(), QString("Shopping\nsecond line"));
        QCOMPARE(data.lists.FindList("books")->Contents,
                 std::string("books\r\nsecond line\r\nthird"));

        // Enter in the name edit presses Add, the default button.
        name->selectAll();
        QTest::keyClicks(name, "Apples");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(shownNames(names), (QStringList{"Apples", "books", "Shopping"}));
        QCOMPARE(names->currentRow(), 0);
        QCOMPARE(contents->toPlainText(), QString());
        QTest::keyClicks(contents, "pick");

        // Delete takes the Shopping list out and shows the entry before it.
        clickEntry(names, 2);
        QTest::mouseClick(child<QPushButton>(view, "deleteButton"), Qt::LeftButton);
        QCOMPARE(shownNames(names), (QStringList{"Apples", "books"}));
        QCOMPARE(names->currentRow(), 1);
        QCOMPARE(contents->toPlainText(), QString("books\nsecond line\nthird"));

        view.close(); // the close box works as OK
        QVERIFY(!view.isVisible());
        QVERIFY(!data.logic.isOpen());
        QCOMPARE(data.lists.holders(), 0);
        data.lists.Load();
        QCOMPARE(data.lists.records().size(), size_t(2));
        QCOMPARE(data.lists.records()[0]->Name, std::string("books"));
        QCOMPARE(data.lists.records()[1]->Name, std::string("Apples"));
        QCOMPARE(data.lists.records()[1]->Contents, std::string("pick"));
        data.lists.Empty();
        QVERIFY(data.sink.messages.empty());
    }
};

} // namespace daylark

QTEST_MAIN(daylark::ListDialogViewTest)
#include "ListDialogViewTest.moc"
