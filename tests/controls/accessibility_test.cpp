#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>

#include "controls/accessibility.h"
#include "controls/command_button.h"
#include "controls/complex_list.h"
#include "controls/tool_button.h"
#include "platform/picture.h"

#include "test_theme.h"

using namespace lumora;

namespace {

class AccessibilityTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    controls::InstallAccessibility();
    window_.resize(400, 400);
  }

  static QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

  QWidget window_;
};

}  // namespace

TEST_F(AccessibilityTest, ButtonsAreNamedByCaptionOrToolTipAndPressable) {
  auto* tool = new controls::ToolButton(&window_);
  tool->ToolProperty(4, QStringLiteral("Index"), 5, true, 0);
  auto* print = new controls::ToolButton(&window_);
  print->ToolProperty(8, QString(), 9, false, 1);
  print->setToolTip(QStringLiteral("Print (Ctrl+P)"));
  auto* close = new platform::Picture(&window_);
  close->SetPressable(true);
  close->setToolTip(QStringLiteral("Close"));
  auto* texture = new platform::Picture(&window_);
  auto* search = new controls::CommandButton(&window_);
  search->SetCaption(QStringLiteral("Search && find"));  // shown "Search & find", S the access key
  window_.show();

  QAccessibleInterface* index = Of(tool);
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(index->role(), QAccessible::Button);
  EXPECT_EQ(index->text(QAccessible::Name), QStringLiteral("Index"));
  EXPECT_FALSE(index->state().disabled);
  QSignalSpy clicks(tool, &controls::ToolButton::Click);
  index->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_EQ(clicks.size(), 1);
  EXPECT_EQ(clicks[0][0].toInt(), 4);

  // A button whose command is off says so, and a press does nothing.
  QAccessibleInterface* printer = Of(print);
  EXPECT_EQ(printer->text(QAccessible::Name), QStringLiteral("Print (Ctrl+P)"));
  EXPECT_TRUE(printer->state().disabled);
  QSignalSpy printed(print, &controls::ToolButton::Click);
  printer->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(printed.size(), 0);

  EXPECT_EQ(Of(close)->role(), QAccessible::Button);
  EXPECT_EQ(Of(close)->text(QAccessible::Name), QStringLiteral("Close"));
  EXPECT_NE(Of(texture)->role(), QAccessible::Button);  // a picture that is no button
  EXPECT_EQ(Of(search)->role(), QAccessible::Button);
  EXPECT_EQ(Of(search)->text(QAccessible::Name), QStringLiteral("Search & find"));
}

TEST_F(AccessibilityTest, ListRowsAreItemsNamedByTheirCellsWithTheSelectionMarked) {
  auto* list = new controls::ComplexList(&window_);
  list->ResetControl();
  list->Setup_Cols_Headers({{QStringLiteral("Topic"), QStringLiteral("3")}, {QStringLiteral("Hits"), QStringLiteral("1")}});
  list->Move(0, 0, 4075, 3000);
  list->setAccessibleName(QStringLiteral("Topics found"));
  content::StringTable table(3);
  // Far longer than its cell: the reader hears it whole, not cut with "...".
  const QString longSubject = QStringLiteral("Printing a page with its pictures, ") + QString(200, QLatin1Char('x'));
  for (const QString& subject : {QStringLiteral("Glossary"), longSubject, QStringLiteral("Zoom")}) {
    const int entry = table.Grow();
    table.Set(0, entry, subject);
    table.Set(1, entry, QString::number(entry + 1));
  }
  for (int i = 0; i < 40; ++i) table.Set(0, table.Grow(), QStringLiteral("Topic %1").arg(i));
  list->Submit_Data_Array(table, -1, 1);
  list->SetListIndex(1);
  window_.show();

  QAccessibleInterface* rows = Of(list);
  EXPECT_EQ(rows->role(), QAccessible::List);
  EXPECT_EQ(rows->text(QAccessible::Name), QStringLiteral("Topics found"));
  ASSERT_EQ(rows->childCount(), 43);
  QAccessibleInterface* row = rows->child(1);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->role(), QAccessible::ListItem);
  EXPECT_EQ(row->text(QAccessible::Name), longSubject + QStringLiteral(", 2"));
  EXPECT_TRUE(row->state().selected);
  EXPECT_FALSE(rows->child(0)->state().selected);
  EXPECT_EQ(rows->child(1), row);  // the same item each time it is asked for
  EXPECT_EQ(rows->indexOfChild(row), 1);
  EXPECT_EQ(rows->text(QAccessible::Value), row->text(QAccessible::Name));
  EXPECT_FALSE(row->rect().isEmpty());
  EXPECT_TRUE(rows->child(42)->state().offscreen);  // below the visible rows
  EXPECT_FALSE(rows->child(0)->state().offscreen);
  EXPECT_EQ(rows->child(43), nullptr);

  // Fewer rows: an item beyond them no longer stands for anything.
  QAccessibleInterface* last = rows->child(42);
  content::StringTable shorter(3);
  shorter.Set(0, shorter.Grow(), QStringLiteral("Only"));
  list->Submit_Data_Array(shorter, -1, 1);
  EXPECT_EQ(rows->childCount(), 1);
  EXPECT_FALSE(last->isValid());
}
