#include "gui/shell/main_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QToolBar>

#include "core/app/app_settings.h"
#include "core/app/text_table.h"
#include "core/monitor/monitor_cycle.h"
#include "core/station/station_device.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/language_dialog.h"
#include "gui/shell/link_status_bar.h"
#include "gui/view/halvar_view.h"

namespace skyvane {

namespace {

constexpr int kTaskbarAllowance = 25;

int Index(FrameCommand command) { return static_cast<int>(command); }

const char* IconOf(FrameCommand command) {
  switch (command) {
    case FrameCommand::kSetup: return ":/pictures/tb_setup.png";
    case FrameCommand::kAlarm: return ":/pictures/tb_alarm.png";
    case FrameCommand::kScope: return ":/pictures/tb_scope.png";
    case FrameCommand::kHistory: return ":/pictures/tb_history.png";
    case FrameCommand::kGraph: return ":/pictures/tb_graph.png";
    case FrameCommand::kStatistics: return ":/pictures/tb_statistics.png";
    case FrameCommand::kAbout: return ":/pictures/tb_about.png";
    default: return nullptr;
  }
}

const char* ObjectNameOf(FrameCommand command) {
  static const char* const names[kFrameCommandCount] = {
      "actionToolBar", "actionStatusBar", "actionLanguage", "actionExit",    "actionSetup",
      "actionAlarm",   "actionScope",     "actionHistory",  "actionGraph",   "actionStatistics",
      "actionAbout"};
  return names[Index(command)];
}

// Windows that later parts of the program supply; disabled until they plug in.
bool IsPluggable(FrameCommand command) {
  switch (command) {
    case FrameCommand::kSetup:
    case FrameCommand::kAlarm:
    case FrameCommand::kScope:
    case FrameCommand::kHistory:
    case FrameCommand::kGraph:
    case FrameCommand::kStatistics: return true;
    default: return false;
  }
}

}  // namespace

QRect FrameRectFor(const QRect& screen) {
  return {screen.x(), screen.y(), screen.width(), screen.height() - kTaskbarAllowance};
}

CMainFrame::CMainFrame(DesktopContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), bridge_(context) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QStringLiteral("Skyvane"));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = FrameRectFor(screen->geometry());
    move(r.topLeft());
    resize(r.size());
  }

  openers_[Index(FrameCommand::kLanguage)] = [this](QWidget* owner) {
    CLanguageDlg dialog(context_, owner);
    dialog.SetBeforeRestart([this] { bridge_.StopMonitor(); });
    dialog.exec();
  };
  openers_[Index(FrameCommand::kAbout)] = [this](QWidget* owner) {
    CAboutDlg dialog(context_.settings, context_.text, owner);
    dialog.exec();
  };

  CreateActions();
  CreateMenus();
  CreateToolBar();

  statusBar_ = new CLinkStatusBar([this] { return context_.device.IsConnected(); }, this);
  setStatusBar(statusBar_);

  // The form keeps its layout; a screen too small for it scrolls instead of squeezing.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("viewScrollArea"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  view_ = new CHalvarView(context_, scroll);
  scroll->setWidget(view_);
  setCentralWidget(scroll);
  if (context_.notPolling) {
    // No monitor will set the title or watch the station for this window.
    setWindowTitle(QString::fromStdString(MainWindowTitle(context_.text, context_.device.Link().IsTestMode())));
    statusBar_->Pane1()->ShowNotPolling(NotPollingToolTip(context_.settings.languageIndex));
  }
  if (!context_.startNotes.empty()) {
    QStringList notes;
    for (const std::string& note : context_.startNotes) notes << QString::fromStdString(note);
    startNotes_ = notes.join(QStringLiteral(" "));
    SetStatusText(startNotes_);
  }

  // The bridge emits on this thread, so these are direct calls: the records
  // never travel inside posted events.
  connect(&bridge_, &MonitorBridge::liveValues, view_, &CHalvarView::UpdateLivePanels);
  connect(&bridge_, &MonitorBridge::lampStates, view_, &CHalvarView::UpdateAlarmLamps);
  connect(&bridge_, &MonitorBridge::maxMin, view_, &CHalvarView::UpdateMaxMinPanels);
  connect(&bridge_, &MonitorBridge::statusText, this, &CMainFrame::SetStatusText);
  connect(&bridge_, &MonitorBridge::titleChanged, this, &CMainFrame::setWindowTitle);
  connect(&bridge_, &MonitorBridge::connectionChanged, this, [this] {
    statusBar_->update();
    statusBar_->Pane1()->update();
  });

  timer_.setInterval(kConnectionPeriodMs);
  connect(&timer_, &QTimer::timeout, this, &CMainFrame::OnConnectionTick);
  timer_.start();
}

CMainFrame::~CMainFrame() {
  timer_.stop();
  bridge_.StopMonitor();
}

void CMainFrame::CreateActions() {
  const FrameMenuTexts texts = MenuTextsFor(context_.settings.languageIndex);
  const int promptLanguage = PromptLanguage();
  for (int i = 0; i < kFrameCommandCount; ++i) {
    const auto command = static_cast<FrameCommand>(i);
    auto* action = new QAction(texts.command[i], this);
    action->setObjectName(QString::fromLatin1(ObjectNameOf(command)));
    const PromptTexts prompt = PromptFor(command, promptLanguage);
    action->setStatusTip(prompt.status);
    action->setToolTip(prompt.toolTip);
    if (const char* icon = IconOf(command)) action->setIcon(QIcon(QString::fromLatin1(icon)));
    if (IsPluggable(command)) action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    actions_[i] = action;
  }
  for (FrameCommand bar : {FrameCommand::kToolBar, FrameCommand::kStatusBar}) {
    Action(bar)->setCheckable(true);
    Action(bar)->setChecked(true);
  }
  // Ctrl+Q, as every program on the desktop quits.
  Action(FrameCommand::kExit)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  Action(FrameCommand::kExit)->setShortcutContext(Qt::ApplicationShortcut);
}

void CMainFrame::CreateMenus() {
  const FrameMenuTexts texts = MenuTextsFor(context_.settings.languageIndex);
  QMenu* display = menuBar()->addMenu(texts.displayMenu);
  display->setObjectName(QStringLiteral("menuDisplay"));
  display->addAction(Action(FrameCommand::kToolBar));
  display->addAction(Action(FrameCommand::kStatusBar));
  display->addAction(Action(FrameCommand::kLanguage));
  display->addSeparator();
  display->addAction(Action(FrameCommand::kExit));

  QMenu* system = menuBar()->addMenu(texts.systemMenu);
  system->setObjectName(QStringLiteral("menuSystem"));
  system->addAction(Action(FrameCommand::kSetup));
  system->addAction(Action(FrameCommand::kAlarm));
  system->addAction(Action(FrameCommand::kScope));

  QMenu* record = menuBar()->addMenu(texts.recordMenu);
  record->setObjectName(QStringLiteral("menuRecord"));
  record->addAction(Action(FrameCommand::kHistory));
  record->addAction(Action(FrameCommand::kGraph));
  record->addAction(Action(FrameCommand::kStatistics));

  QMenu* help = menuBar()->addMenu(texts.helpMenu);
  help->setObjectName(QStringLiteral("menuHelp"));
  help->addAction(Action(FrameCommand::kAbout));
}

void CMainFrame::CreateToolBar() {
  toolBar_ = new QToolBar(QStringLiteral("ToolBar"), this);
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setMovable(true);
  toolBar_->setFloatable(true);
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->addAction(Action(FrameCommand::kSetup));
  toolBar_->addAction(Action(FrameCommand::kAlarm));
  toolBar_->addAction(Action(FrameCommand::kScope));
  toolBar_->addSeparator();
  toolBar_->addAction(Action(FrameCommand::kHistory));
  toolBar_->addAction(Action(FrameCommand::kGraph));
  toolBar_->addAction(Action(FrameCommand::kStatistics));
  toolBar_->addSeparator();
  toolBar_->addAction(Action(FrameCommand::kAbout));
  addToolBar(Qt::TopToolBarArea, toolBar_);
  // The check mark follows the bar also when the window's own context menu
  // hides or shows it (not merely when the window is minimised).
  connect(toolBar_, &QToolBar::visibilityChanged, this,
          [this] { Action(FrameCommand::kToolBar)->setChecked(!toolBar_->isHidden()); });
}

void CMainFrame::SetWindowOpener(FrameCommand command, std::function<void(QWidget*)> open) {
  if (!IsPluggable(command)) return;
  Action(command)->setEnabled(static_cast<bool>(open));
  openers_[Index(command)] = std::move(open);
}

void CMainFrame::SetDialogRunner(FrameCommand command, std::function<void(QWidget*)> run) {
  if (command == FrameCommand::kLanguage || command == FrameCommand::kAbout)
    openers_[Index(command)] = std::move(run);
}

void CMainFrame::Run(FrameCommand command) {
  switch (command) {
    case FrameCommand::kToolBar:
      toolBar_->setVisible(Action(command)->isChecked());
      return;
    case FrameCommand::kStatusBar:
      statusBar_->setVisible(Action(command)->isChecked());
      return;
    case FrameCommand::kExit:
      close();
      return;
    default:
      if (const auto& open = openers_[Index(command)]) open(this);
      return;
  }
}

void CMainFrame::SetStatusText(const QString& text) { statusBar_->SetPaneText(text); }

void CMainFrame::OnConnectionTick() {
  bridge_.WatchConnection();
  ShowStationHint();
}

// Without a station the form stays empty: pane 0 says why and pane 1's tool
// tip what to check. The hint goes again when a station answers.
void CMainFrame::ShowStationHint() {
  if (context_.notPolling) return;  // the pane tells why nothing is read
  const bool missing = !context_.device.IsConnected();
  if (hintShown_ && *hintShown_ == missing) return;
  hintShown_ = missing;
  auto text = [this](Txt entry) {
    const std::string_view t = context_.text.Text(entry);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
  };
  const QString noStation = text(Txt::NoStationFound);
  if (missing) {
    // What start-up had to say stays until the monitor speaks.
    if (startNotes_.isEmpty() || statusBar_->PaneText() != startNotes_) statusBar_->SetPaneText(noStation);
    statusBar_->Pane1()->setToolTip(text(Txt::NoStationHelp));
  } else {
    if (statusBar_->PaneText() == noStation) statusBar_->SetPaneText(QStringLiteral("Ready"));
    statusBar_->Pane1()->setToolTip(QString());
  }
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    statusBar_->ShowPrompt(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (view_->InitialUpdateDone()) return;
  // One watch tick now rather than after the first second: a station that is
  // plugged in is then open when the monitor's first cycle looks for it.
  OnConnectionTick();
  view_->OnInitialUpdate();
  if (bridge_.StartMonitor() == MonitorBridge::Start::kFailed) {
    QMessageBox::warning(view_, QStringLiteral("Skyvane"),
                         QStringLiteral("Begin monitor thread fail!"));
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  timer_.stop();
  bridge_.StopMonitor();
  event->accept();
}

}  // namespace skyvane
