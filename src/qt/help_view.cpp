#include "qt/help_view.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/help_topics.h"
#include "app/help_window.h"
#include "app/scripted_ui.h"
#include "help/demo.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/placement.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"
#include "shell/application.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace quillory {

namespace {

int gPace = 900;

// A read-only text that renders the memo's Markdown and keeps up with it.
QTextBrowser* NewMarkdownView(Memo& memo, QWidget* parent) {
  auto* browser = new QTextBrowser(parent);
  browser->setObjectName(ToQt(memo.Name()));
  browser->setOpenLinks(false);
  browser->setMarkdown(ToQt(memo.Text()));
  KeepWhileAlive(browser, memo.changed.Connect([browser, &memo](const ControlEvent&) {
    browser->setMarkdown(ToQt(memo.Text()));
  }));
  return browser;
}

// A list widget that shows a ListBox's items and the row it has selected.
QListWidget* NewTitleList(ListBox& list, QWidget* parent) {
  auto* widget = new QListWidget(parent);
  widget->setObjectName(ToQt(list.Name()));
  auto fill = [widget, &list] {
    QSignalBlocker block(widget);
    bool same = widget->count() == static_cast<int>(list.Count());
    for (int i = 0; same && i < widget->count(); ++i)
      same = widget->item(i)->text() == ToQt(list.Item(static_cast<std::size_t>(i)));
    // Only a changed list is rebuilt: a new selection may come from the
    // widget's own signal, whose items must stay alive through it.
    if (!same) {
      widget->clear();
      for (std::size_t i = 0; i < list.Count(); ++i) widget->addItem(ToQt(list.Item(i)));
    }
    for (std::size_t i = 0; i < list.Count(); ++i)
      if (list.Selected(i)) widget->setCurrentRow(static_cast<int>(i));
  };
  fill();
  KeepWhileAlive(widget, list.changed.Connect([fill](const ControlEvent&) { fill(); }));
  return widget;
}

class HelpView : public WindowView {
 public:
  HelpView(TfrmAltalanosHelp& help, QWidget* parent) : WindowView(help, parent, OwnLayout{}), help_(help) {
    auto* column = new QVBoxLayout(this);
    auto* splitter = new QSplitter(this);

    auto* side = new QWidget(splitter);
    auto* sideColumn = new QVBoxLayout(side);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    QLineEdit* search = NewEdit(help.edtHelpSearch, side);
    search->setPlaceholderText(tr("Words to find"));
    searchRow->addWidget(search, 1);
    searchRow->addWidget(NewButton(help.btnHelpSearch, side));
    sideColumn->addLayout(searchRow);
    QLabel* found = NewLabel(help.lblHelpFound, side);
    found->setWordWrap(true);
    sideColumn->addWidget(found);
    QListWidget* topics = NewTitleList(help.lstHelpTopics, side);
    sideColumn->addWidget(topics, 1);
    connect(topics, &QListWidget::currentRowChanged, this, [this](int row) {
      if (row >= 0) Guarded([this, row] { help_.ShowListed(static_cast<std::size_t>(row)); });
    });

    auto* main = new QWidget(splitter);
    auto* mainColumn = new QVBoxLayout(main);
    mainColumn->setContentsMargins(0, 0, 0, 0);
    QLabel* title = NewLabel(help.lblHelpTopic, main);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    title->setFont(font);
    mainColumn->addWidget(title);
    text_ = NewMarkdownView(help.memHelpText, main);
    mainColumn->addWidget(text_, 1);
    connect(text_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { Follow(url); });

    splitter->addWidget(side);
    splitter->addWidget(main);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({220, 640});
    column->addWidget(splitter, 1);

    // Enter in the search field also finds the words in the topic shown.
    connect(search, &QLineEdit::returnPressed, this, [this, search] { FindInTopic(search->text()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(NewButton(help.btnHelpBack, this));
    buttons->addWidget(NewButton(help.btnHelpExample, this));
    buttons->addStretch(1);
    buttons->addWidget(NewButton(help.btnMoreHelp, this));
    QPushButton* close = NewButton(help.btnHelpClose, this);
    buttons->addWidget(close);
    EndsModal(close);
    column->addLayout(buttons);
    resize(900, 620);
  }

  // Finds the next place of the words in the shown topic, from the top
  // again when there is none below.
  bool FindInTopic(const QString& words) {
    if (words.trimmed().isEmpty()) return false;
    if (text_->find(words)) return true;
    text_->moveCursor(QTextCursor::Start);
    return text_->find(words);
  }

 private:
  void Follow(const QUrl& url) {
    bool inside = false;
    Guarded([&] { inside = help_.FollowLink(FromQt(url.toString())); });
    if (!inside) QDesktopServices::openUrl(url);
  }

  TfrmAltalanosHelp& help_;
  QTextBrowser* text_ = nullptr;
};

// A window that shows one Markdown text: an example's story, the overview.
class MarkdownWindowView : public WindowView {
 public:
  // `openTopic` takes the links to help topics; others open in the browser.
  MarkdownWindowView(Window& window, Memo& text, Button* action, Button& close,
                     std::function<void(const std::string&)> openTopic, QWidget* parent)
      : WindowView(window, parent, OwnLayout{}) {
    auto* column = new QVBoxLayout(this);
    QTextBrowser* browser = NewMarkdownView(text, this);
    column->addWidget(browser, 1);
    connect(browser, &QTextBrowser::anchorClicked, this, [openTopic](const QUrl& url) {
      const std::string topic = HelpLinkTarget(FromQt(url.toString()));
      if (topic.empty()) QDesktopServices::openUrl(url);
      else if (openTopic) Guarded([&] { openTopic(topic); });
    });
    auto* buttons = new QHBoxLayout;
    if (action) buttons->addWidget(NewButton(*action, this));
    buttons->addStretch(1);
    QPushButton* closeButton = NewButton(close, this);
    buttons->addWidget(closeButton);
    EndsModal(closeButton);
    column->addLayout(buttons);
    resize(620, 520);
  }
};

// Waits without freezing the windows; returns early when `stop` is set.
void Pause(int milliseconds, const bool& stop) {
  if (milliseconds <= 0 || stop) {
    QCoreApplication::processEvents();
    return;
  }
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (stop) loop.quit();
  });
  timer.start(milliseconds);
  poll.start(50);
  loop.exec();
}

// The demonstration takes the whole screen in front of every window, so
// that its footer and its caption are in sight, whatever opened it.
void ShowOnTop(QWidget* stage) {
  const QRect area = AvailableArea(stage);
  const QWidget* opener = stage->parentWidget() ? stage->parentWidget()->window() : nullptr;
  // The opener's frame is the best guess of the stage's before it is shown.
  const QMargins frame = opener ? FrameMargins(opener) : QMargins();
  if (!area.isEmpty()) {
    const QRect placed = PlacedFrame(area.size(), QSize(), frame, area, area);
    stage->resize(placed.size() - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
    stage->move(placed.topLeft());
  }
  stage->showMaximized();
  stage->raise();
  stage->activateWindow();
}

// While a demonstration plays, the person watches: input to its window is
// dropped, and closing the window stops the demonstration instead.
class InputBlocker : public QObject {
 public:
  InputBlocker(QWidget* stage, bool& stop) : stage_(stage), stop_(stop) { qApp->installEventFilter(this); }
  ~InputBlocker() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != stage_ && !stage_->isAncestorOf(widget))) return false;
    switch (event->type()) {
      case QEvent::Close:
        if (widget != stage_) return false;
        stop_ = true;
        event->ignore();
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
        return true;
      default:
        return false;
    }
  }

 private:
  QWidget* stage_;
  bool& stop_;
};

class VideoTutorialsView : public WindowView {
 public:
  VideoTutorialsView(TfrmVideoTutorials& videos, QWidget* parent)
      : WindowView(videos, parent, OwnLayout{}), videos_(videos) {
    auto* column = new QVBoxLayout(this);
    QLabel* notice = NewLabel(videos.lblVideoNotice, this);
    notice->setWordWrap(true);
    column->addWidget(notice);
    list_ = NewTitleList(videos.lstDemonstrations, this);
    column->addWidget(list_, 1);
    QLabel* caption = NewLabel(videos.lblDemoCaption, this);
    caption->setWordWrap(true);
    column->addWidget(caption);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(NewButton(videos.btnDemoPlay, this));
    buttons->addWidget(NewButton(videos.btnDemoStop, this));
    buttons->addStretch(1);
    QPushButton* close = NewButton(videos.btnVideoClose, this);
    buttons->addWidget(close);
    EndsModal(close);
    column->addLayout(buttons);
    videos.btnDemoPlay.onClick = [this] {
      const int row = list_->currentRow();
      if (row >= 0 && row < static_cast<int>(Demonstrations().size()))
        Play(std::string(Demonstrations()[static_cast<std::size_t>(row)].name));
    };
    videos.btnDemoStop.onClick = [this] { stop_ = true; };
    KeepWhileAlive(this, videos.shownChanged.Connect([this](bool shown) {
      if (!shown) return;
      // Opened on a demonstration: it starts once the window is up.
      QTimer::singleShot(0, this, [this] {
        const std::string chosen = videos_.TakeChosen();
        if (!chosen.empty()) Play(chosen);
      });
    }));
    resize(520, 420);
  }

  void reject() override {
    if (playing_) stop_ = true;  // Escape stops a demonstration first
    else WindowView::reject();
  }

  // Plays a demonstration to its end (or until stopped); returns the
  // driver's code. While it plays, each step waits DemoPace() milliseconds
  // and each caption as long as it takes to read.
  int Play(const std::string& name) {
    if (playing_) return -1;
    const Demonstration* demo = FindDemonstration(name);
    if (!demo) return 2;
    playing_ = true;
    stop_ = false;
    videos_.btnDemoPlay.SetEnabled(false);
    videos_.btnVideoClose.SetEnabled(false);
    videos_.btnDemoStop.SetEnabled(true);
    QWidget* stage = nullptr;
    QLabel* say = nullptr;
    std::unique_ptr<InputBlocker> blocker;
    std::string said;
    int reading = 0;
    AutomationHooks hooks;
    hooks.started = [&](Application& app) {
      stage = new QWidget(this, Qt::Window);
      stage->setObjectName(QStringLiteral("wdgDemoStage"));
      stage->setWindowTitle(tr("Demonstration - %1").arg(ToQt(std::string(demo->title))));
      auto* column = new QVBoxLayout(stage);
      column->setContentsMargins(0, 0, 0, 0);
      say = new QLabel(stage);
      say->setObjectName(QStringLiteral("lblDemoSay"));
      say->setWordWrap(true);
      say->setMargin(8);
      say->setStyleSheet(QStringLiteral("background:#fff4c2;color:#202020;border-bottom:1px solid #c8b560;"));
      QFont font = say->font();
      font.setPointSizeF(font.pointSizeF() * 1.25);
      say->setFont(font);
      say->setText(ToQt(said));
      column->addWidget(say);
      auto* main = new MainWindowView(*app.main, stage);
      main->setWindowFlags(Qt::Widget);
      column->addWidget(main, 1);
      // The other windows open as they would for the person: the Visual
      // Logs as a run starts, an editor while the script fills it. They
      // open over the demonstrated main window, leaving the caption clear.
      for (Window* window : app.Windows())
        if (window != app.main && window != app.videos) NewWindowView(*window, stage);
      SetOpeningArea(stage, main);
      blocker = std::make_unique<InputBlocker>(stage, stop_);
      ShowOnTop(stage);
      main->show();
    };
    hooks.ending = [&](Application&) {
      Pause(gPace * 3, stop_);
      blocker.reset();
      delete stage;
      stage = nullptr;
    };
    hooks.say = [&](const std::string& text) {
      said = text;
      if (say) say->setText(ToQt(text));
      videos_.lblDemoCaption.SetCaption(text);
      reading = std::max(1500, static_cast<int>(text.size()) * 45) * gPace / 900;
    };
    hooks.uiCall = [&](const UiCall& call) {
      if (call.kind != "message" || !say) return;
      const std::string asked = call.text.substr(0, call.text.find('\n'));
      say->setText(say->text() + ToQt("\n\u2192 " + asked + "  [" + call.answer + "]"));
    };
    hooks.beforeLine = [&](int, const std::vector<std::string>& words) {
      if (!stage) return !stop_;  // nothing to watch yet
      Pause(words[0] == "say" ? gPace / 3 : gPace + std::exchange(reading, 0), stop_);
      if (onStep) onStep(words);
      return !stop_;
    };
    if (videos_.disk == nullptr || videos_.drives == nullptr) return 2;
    const DemoOutcome outcome = PlayDemonstration(name, *videos_.disk, *videos_.drives, hooks);
    blocker.reset();
    delete stage;
    playing_ = false;
    videos_.btnDemoPlay.SetEnabled(true);
    videos_.btnVideoClose.SetEnabled(true);
    videos_.btnDemoStop.SetEnabled(false);
    if (outcome.code != 0 && !stop_)
      videos_.lblDemoCaption.SetCaption("The demonstration could not go on: " + outcome.error);
    else if (stop_)
      videos_.lblDemoCaption.SetCaption("Stopped. The demonstration drive has been removed.");
    return outcome.code;
  }

  bool Playing() const { return playing_; }
  // Called before each step with its words (tests look in at a step).
  std::function<void(const std::vector<std::string>&)> onStep;

 private:
  TfrmVideoTutorials& videos_;
  QListWidget* list_ = nullptr;
  bool playing_ = false;
  bool stop_ = false;
};

}  // namespace

void SetDemoPace(int milliseconds) { gPace = std::max(0, milliseconds); }
int DemoPace() { return gPace; }

WindowView* NewHelpView(Window& window, QWidget* parent) {
  if (auto* help = dynamic_cast<TfrmAltalanosHelp*>(&window)) return new HelpView(*help, parent);
  if (auto* example = dynamic_cast<ExampleWindow*>(&window))
    return new MarkdownWindowView(*example, example->memExampleStory, &example->btnExampleDemo,
                                  example->btnExampleClose, {}, parent);
  if (auto* overview = dynamic_cast<TfrmOverViewHelp*>(&window))
    return new MarkdownWindowView(*overview, overview->memOverView, nullptr, overview->btnOverViewClose,
                                  [overview](const std::string& topic) {
                                    if (overview->openTopic) overview->openTopic(topic);
                                  },
                                  parent);
  if (auto* videos = dynamic_cast<TfrmVideoTutorials*>(&window)) return new VideoTutorialsView(*videos, parent);
  return nullptr;
}

}  // namespace quillory
