#include <unistd.h>

#include <clocale>
#include <csignal>
#include <map>
#include <memory>
#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QLineEdit>
#include <QPushButton>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QTimer>
#include <QWebEngineView>

#include "platform/browser_view.h"
#include "platform/color.h"
#include "platform/container.h"
#include "platform/events.h"
#include "platform/label.h"
#include "platform/line.h"
#include "platform/message_box.h"
#include "platform/picture.h"
#include "platform/pictures.h"
#include "platform/print_preview.h"
#include "platform/push_button.h"
#include "platform/shape.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "support/test_files.h"

using namespace lumora::platform;
using namespace lumora::core;

TEST(FormElementTest, TwipGeometryFollowsTheResolutionAndResizesOnlyForANewSize) {
  struct Counting : FormElement {
    using FormElement::FormElement;
    void OnResize() override { ++resizes; }
    int resizes = 0;
  };
  QWidget parent;
  Counting element(&parent);
  element.Move(3600, 960, 6135, 600);
  element.Move(3600, 960);
  EXPECT_EQ(element.geometry(), QRect(240, 64, 409, 40));
  SetTwipsPerPixel(12.0, 10.0);
  SetTwipsPerPixel(0.0, 0.0);  // no resolution: the last one stays
  element.Move(120, 240);
  element.SetWidth(1200);
  EXPECT_EQ(std::pair(element.geometry(), element.resizes), std::pair(QRect(10, 24, 100, 60), 2));
  SetTwipsPerPixel(15.0, 15.0);
}

// Only a left release inside the element clicks; a right double click is a press.
TEST(FormElementTest, MouseEventsKeepTheOriginalArguments) {
  FormElement element;
  element.Move(0, 0, 1500, 1500);
  std::vector<std::string> log;  // button, shift: digits
  const auto add = [&log](const char* what) {
    return [&log, what](int button, int shift) { log.push_back(what + std::to_string(button * 10 + shift)); };
  };
  QObject::connect(&element, &FormElement::MouseDown, add("down"));
  QObject::connect(&element, &FormElement::MouseUp, add("up"));
  QObject::connect(&element, &FormElement::Click, [&log] { log.push_back("click"); });
  QTest::mouseClick(&element, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(5, 5));
  QTest::mousePress(&element, Qt::LeftButton, Qt::AltModifier, QPoint(5, 5));
  QTest::mouseRelease(&element, Qt::LeftButton, Qt::AltModifier, QPoint(500, 5));
  QTest::mouseDClick(&element, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"down13", "up13", "click", "down14", "up14", "down20"}));
}

TEST(FormElementTest, AutoSizedLabelsLinesAndPicturesTakeTheirOwnSizeAndTextBoxesTheirLines) {
  Label label;
  label.SetAutoSize(true);
  label.SetCaption(QStringLiteral("Search"));
  const int lineHeight = label.Height();
  label.SetCaption(QStringLiteral("Search\r\nagain\rthird"));
  QWidget parent;
  Line line(&parent);
  line.SetEnds(15480, 570, 0, 570);  // span plus a pixel: both ends show
  EXPECT_EQ(std::pair(label.Height(), line.geometry()), std::pair(3 * lineHeight, QRect(0, 38, 1033, 1)));
  EXPECT_EQ(parent.childAt(5, 38), nullptr);  // a line drawn over a list takes none of its clicks
  Picture own, stretched;
  own.SetImage(QPixmap(16, 16));
  stretched.SetStretch(true);
  stretched.SetWidth(360);
  stretched.SetImage(QPixmap(16, 16));
  EXPECT_EQ((std::array{own.Width(), own.Height(), stretched.Width()}), (std::array{240, 240, 360}));
  own.SetFocusColor(0x0000FF);
  QApplication::sendEvent(&own, std::make_unique<QFocusEvent>(QEvent::FocusIn).get());
  const QColor focused = own.grab().toImage().pixelColor(1, 1);  // with the keyboard: a dotted frame, gone with it
  QApplication::sendEvent(&own, std::make_unique<QFocusEvent>(QEvent::FocusOut).get());
  EXPECT_EQ(std::pair(focused, own.grab().toImage().pixelColor(1, 1) == focused), std::pair(QColor(Qt::red), false));
  // The question and the system information take lines; name, address and subject one line.
  TextBox multi(TextBox::Lines::Multi), single(TextBox::Lines::Single);
  multi.SetText(QStringLiteral("first\nsecond"));
  QTest::keyClick(multi.FocusWidget(), Qt::Key_Tab);  // Tab goes on to the next field, as in every box of the form
  EXPECT_EQ(std::pair(multi.Text(), qobject_cast<QLineEdit*>(single.FocusWidget()) != nullptr),
            std::pair(QStringLiteral("first\nsecond"), true));
}

TEST(FormElementTest, AnOpaqueLabelOrPanePaintsItsGroundAndATransparentOneLetsItsParentShow) {
  QWidget parent;
  parent.setStyleSheet(QStringLiteral("background: #00ff00"));
  std::vector<QColor> grounds;
  const auto groundOf = [&parent](auto& element, bool transparent) {
    element.Move(0, 0, 600, 600);
    element.SetBackColor(0xFF0000);  // blue
    element.SetTransparent(transparent);
    return parent.grab().toImage().pixelColor(5, 5);
  };
  for (const bool transparent : {false, true}) {
    Label label(&parent);
    grounds.push_back(groundOf(label, transparent));
  }
  Container pane(&parent);
  grounds.push_back(groundOf(pane, true));
  grounds.push_back(groundOf(pane, false));  // opaque again
  EXPECT_EQ(grounds, (std::vector<QColor>{Qt::blue, Qt::green, Qt::green, Qt::blue}));
}

// Enter presses on release, so a message box the click opens never takes the held key's repeats as answer.
TEST(FormElementTest, EnterPressesButtonsAndPicturesOnRelease) {
  struct Window : QWidget { int keys = 0; void keyPressEvent(QKeyEvent*) override { ++keys; } } window;
  PushButton button(&window);
  Picture picture(&window), still;  // only a pressable picture takes the keys
  picture.SetPressable(true);
  const std::tuple<FormElement*, QWidget*, int> targets[] = {
      {&button, button.FocusWidget(), 1}, {&picture, &picture, 1}, {&still, &still, 0}};
  for (const auto& [element, focus, presses] : targets) {
    QSignalSpy clicks(element, &FormElement::Click);
    auto* push = qobject_cast<QPushButton*>(focus);  // a button held by a key looks pressed
    QTest::keyPress(focus, Qt::Key_Enter);
    QTest::keyRelease(focus, Qt::Key_A);  // another key let go first presses nothing
    EXPECT_EQ(std::pair(clicks.count(), !push || push->isDown()), std::pair(qsizetype{0}, true));
    QTest::keyRelease(focus, Qt::Key_Enter);
    QTest::keyRelease(focus, Qt::Key_Return);
    QTest::keyClick(focus, Qt::Key_A);
    EXPECT_EQ(clicks.count(), presses);
    QTest::keyPress(focus, Qt::Key_Return);
    QApplication::sendEvent(focus, std::make_unique<QFocusEvent>(QEvent::FocusOut).get());
    QTest::keyRelease(focus, Qt::Key_Return);
    EXPECT_EQ(std::pair(clicks.count(), !push || !push->isDown()), std::pair(qsizetype{presses}, true));
  }
  EXPECT_EQ(window.keys, 2);  // the other key goes on to the window from the button and the picture, Enter no further
}

// Every key the elements report, by the desktop's virtual-key numbers that handlers compare with.
TEST(Events, EveryMappedKeyHasItsVirtualKeyNumberAndOthersNone) {
  std::map<int, int> expected = {
      {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},  {Qt::Key_Enter, 13},
      {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},     {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},
      {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},    {Qt::Key_Home, 36},    {Qt::Key_Left, 37},
      {Qt::Key_Up, 38},       {Qt::Key_Right, 39},   {Qt::Key_Down, 40},    {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},
      {Qt::Key_F13, 0},       {Qt::Key_Meta, 0},     {Qt::Key_Clear, 0},    {Qt::Key_unknown, 0},  {Qt::Key_Exclam, 0}};
  for (int i = 0; i < 26; ++i) expected[Qt::Key_A + i] = 65 + i, expected[Qt::Key_0 + i % 10] = 48 + i % 10;
  for (int i = 0; i < 12; ++i) expected[Qt::Key_F1 + i] = 112 + i;
  std::map<int, int> reported;
  std::vector<int> pressing;  // only Enter and Space press a button
  for (const auto& [key, code] : expected) {
    reported[key] = VbKeyCode(key);
    if (IsPressKey(key)) pressing.push_back(key);
  }
  EXPECT_EQ(std::pair(reported, pressing), std::pair(expected, std::vector<int>{Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}));
  EXPECT_EQ((std::array{VbButton(Qt::LeftButton), VbButton(Qt::RightButton), VbButton(Qt::MiddleButton), VbButton(Qt::BackButton),
                        VbButtons(Qt::LeftButton | Qt::MiddleButton), VbButtons(Qt::RightButton),
                        VbShift(Qt::ShiftModifier | Qt::AltModifier), VbShift(Qt::ControlModifier | Qt::MetaModifier)}),
            (std::array{1, 2, 4, 0, 5, 2, 5, 2}));
}

TEST(MessageBox, OnlyYesSaysYesAndABoxWithoutATitleTakesTheProgramsName) {
  QStringList seen;
  for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      box->button(button)->click();
      seen << box->windowTitle();
    });
    seen << (AskYesNo(nullptr, QStringLiteral("Clear the form?"), button == QMessageBox::No ? QStringLiteral("Asked") : QString()) ? QStringLiteral("yes") : QStringLiteral("no"));
  }
  EXPECT_EQ(seen, (QStringList{QApplication::applicationDisplayName(), QStringLiteral("yes"), QStringLiteral("Asked"), QStringLiteral("no")}));
}

TEST(Color, RedIsInTheLowByteAndTheHighByteIgnoredAndDisabledLooksFade) {
  EXPECT_EQ(ToQColor(static_cast<int>(0xFF563412u)), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
  // Mixed channel by channel, rounded, either way: a disabled caption goes towards the ground.
  EXPECT_EQ(std::pair(MixColours(0x707070, 0xF4F4F4, 0.55), MixColours(0xF4F4F4, 0x2B3038, 0.5)), std::pair(0xB9B9B9, 0x8F9296));
  QImage picture(2, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(0x2A, 0x5D, 0xB0, 255));
  picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
  const QImage dimmed = DisabledPicture(QPixmap::fromImage(picture)).toImage().convertToFormat(QImage::Format_ARGB32);
  const int grey = qGray(0x2A, 0x5D, 0xB0);
  const QRgb faded = dimmed.pixel(0, 0);
  // Premultiplied in between: a channel may come back one off, as the processor's vector path rounds.
  EXPECT_EQ(std::pair(qRed(faded), qBlue(faded)), std::pair(qGreen(faded), qGreen(faded)));
  EXPECT_NEAR(qGreen(faded), grey, 1);
  EXPECT_EQ(std::pair(qAlpha(faded), qAlpha(dimmed.pixel(1, 0))), std::pair(102, 0));
  EXPECT_TRUE(DisabledPicture(QPixmap()).isNull());
}

TEST(Pictures, AScaledScreenTakesThePictureDrawnAtTwiceTheSize) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("icon.dat"));
  QImage(16, 8, QImage::Format_ARGB32).save(path, "PNG");
  const auto loaded = [&](qreal ratio) -> QString {
    const QPixmap picture = LoadPicture(path, ratio);
    return QStringLiteral("%1x%2@%3").arg(picture.width()).arg(picture.height()).arg(picture.devicePixelRatio());
  };
  const QString alone = loaded(2);
  QImage(32, 16, QImage::Format_ARGB32).save(dir.filePath(QStringLiteral("icon@2x.dat")), "PNG");
  EXPECT_EQ((QStringList{alone, loaded(1), loaded(1.25), loaded(2)}),
            (QStringList{QStringLiteral("16x8@1"), QStringLiteral("16x8@1"), QStringLiteral("32x16@2"), QStringLiteral("32x16@2")}));
}

// A shape with no area starts no painter; a painter started outside a real paint event makes Qt complain.
TEST(FormElementTest, ShapeWithNoWidthOrHeightPaintsNothing) {
  static int complaints = 0;
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++complaints; });
  Shape shape;
  QPaintEvent paint(QRect(0, 0, 10, 10));
  int none = -1;
  for (const auto& [width, height] : {std::pair(0, 150), {150, 0}, {150, 150}}) {  // only the last paints, and says so here
    none = complaints;
    shape.Move(0, 0, width, height);
    QApplication::sendEvent(&shape, &paint);
  }
  qInstallMessageHandler(nullptr);
  EXPECT_EQ(std::pair(none, complaints > none), std::pair(0, true));
}

TEST(BrowserViewTest, CtrlWheelAsksForWholeZoomStepsAndPagesShownOrMissingAreReportedByTheirPath) {
  BrowserView view;
  // A key the window keeps for its own shortcut never reaches the page; any other key does (Ctrl+C copies there).
  struct Overrides : QObject {
    std::vector<QKeyCombination> keys;
    int wheels = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::ShortcutOverride) keys.push_back(static_cast<QKeyEvent*>(e)->keyCombination());
      wheels += e->type() == QEvent::Wheel ? 1 : 0;
      return false;
    }
  } reached;
  auto* inPage = new QWidget(view.findChild<QWebEngineView*>());
  inPage->installEventFilter(&reached);
  QSignalSpy steps(&view, &BrowserView::ZoomWheel);
  for (const Qt::KeyboardModifier keys : {Qt::ControlModifier, Qt::ControlModifier, Qt::NoModifier}) {
    QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, 60}, Qt::NoButton, keys, Qt::NoScrollPhase, false);
    QApplication::sendEvent(inPage, &wheel);
  }
  EXPECT_EQ(std::pair(steps.count(), reached.wheels), std::pair(qsizetype{1}, 1));  // two half notches with Ctrl: a step; a plain wheel: the page's
  view.ReserveKeys({QKeySequence(Qt::CTRL | Qt::Key_P)});
  for (const Qt::Key key : {Qt::Key_P, Qt::Key_C}) {
    QKeyEvent asked(QEvent::ShortcutOverride, key, Qt::ControlModifier);
    QApplication::sendEvent(inPage, &asked);
  }
  EXPECT_EQ(reached.keys, std::vector<QKeyCombination>{Qt::CTRL | Qt::Key_C});
  // A page that loads and one that does not both end their navigation: the window's history and toolbar wait for it.
  QTemporaryDir folder;
  const QString page = folder.filePath(QStringLiteral("a.html")), keys = folder.filePath(QStringLiteral("k.html"));
  ASSERT_TRUE(WriteFile(page, "<title>A</title>A") &&
              WriteFile(keys, "<a id=l href=ask_class.html>ask</a><script>l.focus()</script>") &&
              WriteFile(folder.filePath(QStringLiteral("ask_class.html")), "<title>Ask</title>"));
  view.SetHelpFolder(folder.path() + u'/');
  view.SetClickOnlyPages(QStringLiteral("ask_class"));  // opened only by the reader's own click or key
  QWebEnginePage* engine = view.findChild<QWebEngineView*>()->page();
  QSignalSpy reports(&view, &BrowserView::NavigateComplete2);
  for (const QString& path : {page, folder.filePath(QStringLiteral("missing.html")), keys}) {
    view.Navigate2(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reports.isEmpty() && reports.last().at(0) == path; }, 30000)) << path.toStdString();
    if (path.endsWith(u"missing.html")) {  // the engine's page says the file is not there, not that it is refused
      const auto text = std::make_shared<QString>();
      engine->toPlainText([text](const QString& plain) { *text = plain; });
      EXPECT_TRUE(QTest::qWaitFor([&] { return text->contains(u"ERR_FILE_NOT_FOUND"); }, 20000)) << text->toStdString();
    }
  }
  QTest::keyClick(view.findChild<QWebEngineView*>()->focusProxy(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return reports.last().at(0).toString().endsWith(u"/ask_class.html"); }, 30000));
  // A link for a new window, followed by the reader, opens its page in this one.
  const QString opener = folder.filePath(QStringLiteral("n.html"));
  ASSERT_TRUE(WriteFile(opener, "<a id=l target=_blank href=a.html>new</a><script>l.focus()</script>"));
  view.Navigate2(opener);
  ASSERT_TRUE(QTest::qWaitFor([&] { return reports.last().at(0) == opener; }, 30000));
  QTest::keyClick(view.findChild<QWebEngineView*>()->focusProxy(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return reports.last().at(0) == page; }, 30000));
  // The page's menu loses the engine's own history and saving; no separator is left at an end or doubled.
  QMenu menu;
  std::vector<QAction*> added;
  for (const auto action : {QWebEnginePage::Back, QWebEnginePage::Copy, QWebEnginePage::Reload, QWebEnginePage::SelectAll}) {
    menu.addAction(added.emplace_back(engine->action(action)));
    added.push_back(menu.addSeparator());
  }
  RemoveHistoryActions(menu, *engine);
  EXPECT_EQ(menu.actions(), (QList<QAction*>{added[2], added[3], added[6]}));  // Copy, a separator, Select All
}

// A page's script that heads for a file outside the help folder goes nowhere: the page stays and its next
// step is taken. Neither the page nor a frame in it has WebRTC's constructors.
TEST(BrowserViewTest, APageStaysWhenItHeadsOutsideAndItsFramesHaveNoWebRtc) {
  BrowserView view;
  QTemporaryDir root;
  const QString folder = root.filePath(QStringLiteral("help"));
  ASSERT_TRUE(QDir().mkpath(folder) && WriteFile(root.filePath(QStringLiteral("secret.html")), "<title>Secret</title>") &&
              WriteFile(folder + QStringLiteral("/a.html"),
                        "<title>A</title><iframe src=b.html></iframe><iframe src=http://127.0.0.1:9/></iframe><script>location.href = '../secret.html';"
                        " setTimeout(() => { location.href = 'c.html'; }, 300);</script>") &&
              WriteFile(folder + QStringLiteral("/b.html"), "<title>B</title>") &&
              WriteFile(folder + QStringLiteral("/c.html"), "<title>C</title><iframe src=b.html></iframe>"));
  view.SetHelpFolder(folder + u'/');
  QSignalSpy reports(&view, &BrowserView::NavigateComplete2);
  // The refusal is said on standard error, which the test reads from a file meanwhile.
  QTemporaryFile said;
  ASSERT_TRUE(said.open());
  std::fflush(stderr);
  const int standardError = ::dup(2);
  ::dup2(said.handle(), 2);
  view.Navigate2(folder + QStringLiteral("/a.html"));
  const bool stepped = QTest::qWaitFor([&] { return !reports.isEmpty() && reports.last().at(0).toString().endsWith(u"/c.html"); }, 30000);
  std::fflush(stderr);
  ::dup2(standardError, 2);
  ::close(standardError);
  ASSERT_TRUE(stepped);
  for (const QList<QVariant>& report : reports) EXPECT_FALSE(report.at(0).toString().endsWith(u"secret.html"));
  const QByteArray refusal = "a help page asked for lumora:" + QFile::encodeName(root.path()) + "/secret.html; refused";
  const QByteArray everything = ReadFile(said.fileName());  // anew: standard error moved the file's shared offset to its end
  EXPECT_TRUE(everything.contains(refusal));
  EXPECT_TRUE(everything.contains("a help page tried to leave the help set for http://127.0.0.1:9/; refused"));  // a frame too
  QWebEnginePage* engine = view.findChild<QWebEngineView*>()->page();
  const auto answer = std::make_shared<QString>();
  const auto ask = [&] {
    engine->runJavaScript(QStringLiteral("frames[0] && frames[0].document.readyState === 'complete' ?"
                                         " typeof RTCPeerConnection + ' ' + typeof frames[0].RTCPeerConnection : ''"),
                          [answer](const QVariant& value) { *answer = value.toString(); });
    return !answer->isEmpty();
  };
  ASSERT_TRUE(QTest::qWaitFor(ask, 20000));
  EXPECT_EQ(*answer, QStringLiteral("undefined undefined"));
}

// A renderer left hung while another page is asked for is ended, and that page is reported when it comes.
// One that ends while no page is being recovered is not followed by a load the program did not ask for.
TEST(BrowserViewTest, AHungRendererIsEndedForThePageAskedForAndOneEndedFromOutsideStartsNoLoad) {
  BrowserView view;
  QTemporaryDir folder;
  ASSERT_TRUE(WriteFile(folder.filePath(QStringLiteral("a.html")), "<title>A</title>") &&
              WriteFile(folder.filePath(QStringLiteral("loop.html")), "<title>L</title><script>for (;;) {}</script>"));
  view.SetHelpFolder(folder.path() + u'/');
  view.SetRendererPatience(500);  // leaving a hung page takes the engine longer
  QSignalSpy reports(&view, &BrowserView::NavigateComplete2);
  view.Navigate2(folder.filePath(QStringLiteral("loop.html")));
  QTest::qWait(200);
  QWebEnginePage* engine = view.findChild<QWebEngineView*>()->page();
  const auto [hung, busy] = std::pair(engine->renderProcessPid(), view.Busy());  // loading it for as long as it hangs
  view.Navigate2(folder.filePath(QStringLiteral("a.html")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return reports.count() == 1 && !view.Busy(); }, 30000));
  engine->runJavaScript(QStringLiteral("location.hash = 'end'"));  // a place on the same page is a step too
  ASSERT_TRUE(QTest::qWaitFor([&] { return reports.count() == 2; }, 30000));
  const QString a = folder.filePath(QStringLiteral("a.html"));
  EXPECT_EQ(std::tuple(busy, reports[0][0].toString(), reports[1][0].toString(), ::kill(static_cast<pid_t>(hung), 0)), std::tuple(true, a, QString(a + u"#end"), -1));
  QSignalSpy ended(engine, &QWebEnginePage::renderProcessTerminated);
  QSignalSpy started(engine, &QWebEnginePage::loadStarted);
  ASSERT_GT(engine->renderProcessPid(), 0);
  ::kill(static_cast<pid_t>(engine->renderProcessPid()), SIGKILL);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 30000));
  QTest::qWait(300);  // a reload would be asked for at once, after the notice
  EXPECT_EQ(started.count(), 0);
}

TEST(Paper, LetterInTheUnitedStatesAndCanadaA4ElsewhereAndTheEnvironmentsOrderKept) {
  for (const auto& [name, paper] : std::initializer_list<std::pair<const char*, QPageSize::PageSizeId>>{
           {"en_US.UTF-8", QPageSize::Letter}, {"fr_CA", QPageSize::Letter}, {"es_US@euro", QPageSize::Letter},
           {"en_GB.UTF-8", QPageSize::A4}, {"de_DE@euro", QPageSize::A4}, {"C", QPageSize::A4},
           {"en_USA", QPageSize::A4}, {"", QPageSize::A4}})
    EXPECT_EQ(PaperOfLocaleName(name).id(), paper) << name;
  const char* const names[] = {"LC_ALL", "LC_PAPER", "LANG"};
  const QByteArray saved[] = {qgetenv(names[0]), qgetenv(names[1]), qgetenv(names[2])};
  std::vector<QPageSize::PageSizeId> papers;  // LC_PAPER before LANG, LC_ALL before both; none named: A4
  for (const char* installed : {"C", "C.UTF-8"}) {  // what the C library falls back to for a locale it lacks
    std::setlocale(LC_PAPER, installed);
    for (const auto& values : {std::array<const char*, 3>{nullptr, "en_CA.UTF-8", "de_DE.UTF-8"},
                               {"de_DE.UTF-8", "en_CA.UTF-8", "de_DE.UTF-8"}, {nullptr, nullptr, nullptr}}) {
      for (int i = 0; i < 3; ++i) values[i] ? qputenv(names[i], values[i]) : qunsetenv(names[i]);
      papers.push_back(LocalePaperSize().id());
    }
  }
  for (int i = 0; i < 3; ++i) qputenv(names[i], saved[i]);
  std::setlocale(LC_PAPER, "");
  EXPECT_EQ(papers, (std::vector{QPageSize::Letter, QPageSize::A4, QPageSize::A4, QPageSize::Letter, QPageSize::A4, QPageSize::A4}));
}

// Keys typed while a preview is prepared reach it, in order; no shortcut of the window behind fires meanwhile.
TEST(Paper, KeysHeldWhileAPreviewIsPreparedReachTheWindowThatShowsIt) {
  QLineEdit behind;
  int shortcuts = 0;
  QShortcut print(QKeySequence(Qt::CTRL | Qt::Key_P), &behind, [&] { ++shortcuts; });
  behind.show();
  QLineEdit shown;
  {
    KeyHold hold;
    QTest::keyClicks(&behind, QStringLiteral("ab"));
    QTest::keyClick(&behind, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(std::pair(behind.text(), shortcuts), std::pair(QString(), 0));
    shown.show();
    hold.GiveTo(&shown);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(std::pair(shown.text(), behind.text()), std::pair(QStringLiteral("ab"), QString()));
}
