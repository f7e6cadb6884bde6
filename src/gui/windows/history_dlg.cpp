#include "gui/windows/history_dlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableView>
#include <QTimeEdit>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/export_writer.h"
#include "core/history/history_file.h"
#include "core/history/search_range.h"
#include "core/station/device_busy.h"
#include "core/station/header_record.h"
#include "core/station/station_device.h"
#include "gui/windows/export_dlg.h"
#include "gui/windows/history_captions.h"
#include "gui/windows/history_grid_model.h"

namespace skyvane {

namespace {

// Client size when the window opens, and the smallest size the resize rule follows.
constexpr QSize kInitialSize(960, 600);
constexpr int kSmallestSide = 200;
constexpr int kButtonHeight = 28;
constexpr int kButtonWidth = 110;

// Date pickers take the text table's format; its "yyy" means the full year,
// which Qt writes "yyyy".
QString DatePickerFormat(std::string_view format) {
  QString f = QString::fromUtf8(format.data(), static_cast<int>(format.size()));
  if (f.contains(QLatin1String("yyy")) && !f.contains(QLatin1String("yyyy"))) {
    f.replace(QLatin1String("yyy"), QLatin1String("yyyy"));
  }
  return f;
}

QDateTime LocalTimeOf(std::time_t t) { return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)); }

QString PickerText(const QDateEdit* date, const QTimeEdit* time) {
  return date->date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
         time->time().toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace

CHistoryDlg::CHistoryDlg(const TextTable& text, StationDevice& device, HistoryFile& file,
                         const Clock& clock, QWidget* parent, GraphOpener graph,
                         DialogPrompts prompts)
    : QDialog(parent),
      text_(text),
      device_(device),
      file_(file),
      clock_(clock),
      graph_(std::move(graph)),
      prompts_(std::move(prompts)) {
  BuildControls();
  resize(kInitialSize);
  PlaceControls();
  lastSize_ = kInitialSize;

  condition_->setCurrentIndex(0);
  // Connected only now, so that setting up the list does not move the pickers.
  connect(condition_, &QComboBox::currentIndexChanged, this, &CHistoryDlg::OnConditionChanged);
  connect(search_, &QPushButton::clicked, this, &CHistoryDlg::Search);
  connect(refresh_, &QPushButton::clicked, this, &CHistoryDlg::Refresh);
  connect(clearData_, &QPushButton::clicked, this, &CHistoryDlg::ClearData);
  connect(clearMemory_, &QPushButton::clicked, this, &CHistoryDlg::ClearMemory);
  connect(graphButton_, &QPushButton::clicked, this, &CHistoryDlg::Graph);
  connect(export_, &QPushButton::clicked, this, &CHistoryDlg::Export);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

CHistoryDlg::~CHistoryDlg() = default;

QString CHistoryDlg::TableText(Txt entry) const {
  const std::string_view t = text_.Text(entry);
  return QString::fromUtf8(t.data(), static_cast<int>(t.size()));
}

void CHistoryDlg::BuildControls() {
  const HistoryCaptions& c = HistoryCaptionsFor(text_.LanguageIndex());
  setWindowTitle(c.title);

  auto label = [this](const QString& caption, const char* name) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(QLatin1String(name));
    return l;
  };
  auto button = [this](const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
  };
  const QString dateFormat = DatePickerFormat(text_.Text(Txt::DatePickerFormat));
  auto dateEdit = [this, &dateFormat](const char* name) {
    auto* d = new QDateEdit(this);
    d->setObjectName(QLatin1String(name));
    d->setDisplayFormat(dateFormat);
    d->setCalendarPopup(true);
    return d;
  };
  auto timeEdit = [this](const char* name) {
    auto* t = new QTimeEdit(this);
    t->setObjectName(QLatin1String(name));
    t->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return t;
  };

  searchGroup_ = new QGroupBox(c.searchGroup, this);
  searchGroup_->setObjectName(QStringLiteral("searchGroup"));
  conditionLabel_ = label(c.condition, "conditionLabel");
  condition_ = new QComboBox(this);
  condition_->setObjectName(QStringLiteral("condition"));
  condition_->addItems(c.conditionItems);
  startLabel_ = label(c.startTime, "startLabel");
  startDate_ = dateEdit("startDate");
  startTime_ = timeEdit("startTime");
  endLabel_ = label(c.endTime, "endLabel");
  endDate_ = dateEdit("endDate");
  endTime_ = timeEdit("endTime");
  search_ = button(c.search, "search");
  search_->setDefault(true);

  model_ = new CHistoryGridModel(text_, this);
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("grid"));
  grid_->setModel(model_);
  grid_->setShowGrid(true);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid_->setWordWrap(false);
  grid_->setSortingEnabled(false);
  // The selection stays visible while another control has the focus.
  QPalette palette = grid_->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  grid_->setPalette(palette);
  // Rows of one fixed, compact height: the view then never measures a row,
  // whatever their number.
  QHeaderView* rows = grid_->verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
  QHeaderView* columns = grid_->horizontalHeader();
  columns->setSectionsMovable(true);
  columns->setMinimumSectionSize(0);
  columns->setHighlightSections(false);
  columns->setDefaultAlignment(Qt::AlignCenter);
  for (int col = 0; col < model_->columnCount(); ++col) {
    columns->resizeSection(col, GridDefaultWidth(col));
  }

  refresh_ = button(c.refresh, "refresh");
  clearData_ = button(c.clearData, "clearData");
  clearMemory_ = button(c.clearMemory, "clearMemory");
  graphButton_ = button(c.graph, "graph");
  graphButton_->setEnabled(static_cast<bool>(graph_));
  export_ = button(c.exportButton, "export");
  cancel_ = button(c.cancel, "cancel");
  // Part of the layout, but nothing offers printing or deleting single rows.
  print_ = button(c.print, "print");
  print_->setEnabled(false);
  print_->hide();
  delete_ = button(c.deleteButton, "delete");
  delete_->setEnabled(false);
  delete_->hide();
}

void CHistoryDlg::PlaceControls() {
  const int w = kInitialSize.width();
  const int h = kInitialSize.height();
  searchGroup_->setGeometry(8, 4, w - 16, 58);
  conditionLabel_->setGeometry(18, 26, 76, 22);
  condition_->setGeometry(96, 24, 130, 24);
  startLabel_->setGeometry(236, 26, 76, 22);
  startDate_->setGeometry(312, 24, 110, 24);
  startTime_->setGeometry(424, 24, 86, 24);
  endLabel_->setGeometry(522, 26, 70, 22);
  endDate_->setGeometry(592, 24, 110, 24);
  endTime_->setGeometry(704, 24, 86, 24);
  search_->setGeometry(820, 22, 110, kButtonHeight);

  const int buttonsTop = h - kButtonHeight - 10;
  grid_->setGeometry(8, 70, w - 16, buttonsTop - 10 - 70);
  QPushButton* const bottom[] = {refresh_, clearData_, clearMemory_, graphButton_, export_};
  int x = 8;
  for (QPushButton* b : bottom) {
    b->setGeometry(x, buttonsTop, kButtonWidth, kButtonHeight);
    x += kButtonWidth + 8;
  }
  cancel_->setGeometry(x, buttonsTop, kButtonWidth, kButtonHeight);
  x += kButtonWidth + 8;
  print_->setGeometry(x, buttonsTop, kButtonWidth, kButtonHeight);
  delete_->setGeometry(x, buttonsTop, kButtonWidth, kButtonHeight);
}

void CHistoryDlg::SetPickers(const QDateTime& start, const QDateTime& end) {
  startDate_->setDate(start.date());
  startTime_->setTime(start.time());
  endDate_->setDate(end.date());
  endTime_->setTime(end.time());
}

bool CHistoryDlg::Open() {
  DeviceBusyClaim claim = ClaimDeviceForUser(device_.DeviceBusy(), prompts_.sleep);
  if (!claim) {
    prompts_.message(this, TableText(Txt::CantCommunicateWithDevice));
    return false;
  }
  HeaderRecord units;
  const bool read = device_.ReadHeader(units);
  claim.Release();
  if (!read) {
    units = HeaderRecord();
    prompts_.message(this, TableText(Txt::ReadSetupDataFail));
  }
  model_->SetUnits(units);

  condition_->setCurrentIndex(0);
  const std::time_t now = clock_.Now();
  SetPickers(LocalTimeOf(now - 3600), LocalTimeOf(now));
  Search();
  return true;
}

void CHistoryDlg::OnConditionChanged() {
  const std::time_t now = clock_.Now();
  SetPickers(LocalTimeOf(now - SearchSpanSeconds(condition_->currentIndex())), LocalTimeOf(now));
}

void CHistoryDlg::Search() {
  start_ = PickerText(startDate_, startTime_).toStdString();
  end_ = PickerText(endDate_, endTime_).toStdString();
  Refresh();
}

void CHistoryDlg::Refresh() {
  model_->Search(file_, start_, end_);
  grid_->scrollToBottom();
}

bool CHistoryDlg::Ask(Txt question) {
  return prompts_.ask(this, TableText(question), TableText(Txt::OperationNotify));
}

void CHistoryDlg::ClearData() {
  if (!Ask(Txt::AskClearPcData)) return;
  model_->ClearRows();
  file_.ClearAll();
}

void CHistoryDlg::ClearMemory() {
  if (!Ask(Txt::AskClearDeviceMemory)) return;
  DeviceBusyClaim claim = ClaimDeviceForUser(device_.DeviceBusy(), prompts_.sleep);
  if (!claim) {
    prompts_.message(this, TableText(Txt::CantCommunicateWithDevice));
    return;
  }
  device_.ClearHistory();
}

void CHistoryDlg::Graph() {
  if (!graph_) return;
  pendingGraph_ = GraphRequest{condition_->currentIndex(), PickerText(startDate_, startTime_),
                               PickerText(endDate_, endTime_)};
  done(QDialog::Accepted);
}

void CHistoryDlg::Export() {
  // Creation order, whatever order the headers were dragged into; the widths
  // as they are now, so a column dragged shut is not offered.
  const QHeaderView* columns = grid_->horizontalHeader();
  std::vector<int> widths;
  for (int col = 0; col < model_->columnCount(); ++col) widths.push_back(columns->sectionSize(col));
  CExportDlg dialog(text_, ColumnEntries(model_->Grid(), widths), this);
  if (dialog.exec() != QDialog::Accepted) return;

  const std::filesystem::path folder = std::filesystem::path(file_.path()).parent_path();
  const QString path = AskExportFileName(this, QString::fromStdString(folder.string()));
  if (path.isEmpty()) return;
  errno = 0;
  if (!WriteExportFile(QFile::encodeName(path).toStdString(), model_->Grid(), dialog.Choices())) {
    const int error = errno;
    QString message = path;
    if (error != 0) message += QStringLiteral("\n\n") + QString::fromLocal8Bit(std::strerror(error));
    prompts_.message(this, message);
  }
}

void CHistoryDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const QSize size = event->size();
  if (!lastSize_.isValid() || size.width() < kSmallestSide || size.height() < kSmallestSide) return;
  const int dw = size.width() - lastSize_.width();
  const int dh = size.height() - lastSize_.height();
  if (dw == 0 && dh == 0) return;
  const QRect g = grid_->geometry();
  grid_->setGeometry(g.x(), g.y(), g.width() + dw, g.height() + dh);
  for (QPushButton* b : {refresh_, clearData_, clearMemory_, graphButton_, export_, cancel_, print_, delete_}) {
    b->move(b->x(), b->y() + dh);
  }
  lastSize_ = size;
}

void CHistoryDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The rows were filled before the grid had its size: the newest one is to
  // be seen when the window appears.
  if (!shown_) grid_->scrollToBottom();
  shown_ = true;
}

void OpenHistoryWindow(QWidget* parent, const TextTable& text, StationDevice& device,
                       HistoryFile& file, const Clock& clock, const GraphOpener& graph,
                       const DialogPrompts& prompts) {
  std::optional<GraphRequest> request;
  {
    CHistoryDlg dialog(text, device, file, clock, parent, graph, prompts);
    if (!dialog.Open()) return;
    dialog.exec();
    request = dialog.PendingGraph();
  }
  // The History window is gone before the Graph window opens.
  if (request && graph) graph(parent, *request);
}

}  // namespace skyvane
