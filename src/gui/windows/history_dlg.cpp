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
#include "core/dialogs/dialog_station.h"
#include "core/history/export_writer.h"
#include "core/history/history_file.h"
#include "core/station/device_busy.h"
#include "core/station/header_record.h"
#include "core/station/station_device.h"
#include "gui/windows/export_dlg.h"
#include "gui/windows/history_captions.h"
#include "gui/windows/history_grid_model.h"
#include "gui/windows/window_controls.h"

namespace skyvane {

namespace {

// Client size when the window opens, and the smallest size the resize rule follows.
constexpr QSize kInitialSize(960, 600);
constexpr int kSmallestSide = 200;
constexpr int kButtonHeight = 28;
constexpr int kButtonWidth = 110;

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

  range_.condition->setCurrentIndex(0);
  // Connected only now, so that setting up the list does not move the pickers.
  connect(range_.condition, &QComboBox::currentIndexChanged, this, &CHistoryDlg::OnConditionChanged);
  connect(range_.search, &QPushButton::clicked, this, &CHistoryDlg::Search);
  connect(refresh_, &QPushButton::clicked, this, &CHistoryDlg::Refresh);
  connect(clearData_, &QPushButton::clicked, this, &CHistoryDlg::ClearData);
  connect(clearMemory_, &QPushButton::clicked, this, &CHistoryDlg::ClearMemory);
  connect(graphButton_, &QPushButton::clicked, this, &CHistoryDlg::Graph);
  connect(export_, &QPushButton::clicked, this, &CHistoryDlg::Export);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

CHistoryDlg::~CHistoryDlg() = default;

void CHistoryDlg::BuildControls() {
  const HistoryCaptions& c = HistoryCaptionsFor(text_.LanguageIndex());
  setWindowTitle(c.title);
  range_.Build(this, c.range, text_);

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

  refresh_ = MakeButton(this, c.refresh, "refresh");
  clearData_ = MakeButton(this, c.clearData, "clearData");
  clearMemory_ = MakeButton(this, c.clearMemory, "clearMemory");
  graphButton_ = MakeButton(this, c.graph, "graph");
  graphButton_->setEnabled(static_cast<bool>(graph_));
  export_ = MakeButton(this, c.exportButton, "export");
  cancel_ = MakeButton(this, c.cancel, "cancel");
  // Part of the layout, but nothing offers printing or deleting single rows.
  print_ = MakeButton(this, c.print, "print");
  print_->setEnabled(false);
  print_->hide();
  delete_ = MakeButton(this, c.deleteButton, "delete");
  delete_->setEnabled(false);
  delete_->hide();
}

void CHistoryDlg::PlaceControls() {
  const int w = kInitialSize.width();
  const int h = kInitialSize.height();
  range_.group->setGeometry(8, 4, w - 16, 58);
  range_.conditionLabel->setGeometry(18, 26, 76, 22);
  range_.condition->setGeometry(96, 24, 130, 24);
  range_.startLabel->setGeometry(236, 26, 76, 22);
  range_.startDate->setGeometry(312, 24, 110, 24);
  range_.startTime->setGeometry(424, 24, 86, 24);
  range_.endLabel->setGeometry(522, 26, 70, 22);
  range_.endDate->setGeometry(592, 24, 110, 24);
  range_.endTime->setGeometry(704, 24, 86, 24);
  range_.search->setGeometry(820, 22, 110, kButtonHeight);

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

bool CHistoryDlg::Open() {
  const UnitsReading reading = ReadUnitsForUser(device_, prompts_.sleep);
  for (const Txt message : reading.messages) prompts_.message(this, TableText(text_, message));
  if (reading.linkBusy) return false;
  model_->SetUnits(reading.units);

  range_.condition->setCurrentIndex(0);
  range_.SpanEndingAt(clock_.Now());  // the last hour
  Search();
  return true;
}

void CHistoryDlg::OnConditionChanged() { range_.SpanEndingAt(clock_.Now()); }

void CHistoryDlg::Search() {
  start_ = range_.StartText().toStdString();
  end_ = range_.EndText().toStdString();
  Refresh();
}

void CHistoryDlg::Refresh() {
  model_->Search(file_, start_, end_);
  grid_->scrollToBottom();
}

bool CHistoryDlg::Ask(Txt question) {
  return prompts_.ask(this, TableText(text_, question), TableText(text_, Txt::OperationNotify));
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
    prompts_.message(this, TableText(text_, Txt::CantCommunicateWithDevice));
    return;
  }
  device_.ClearHistory();
}

void CHistoryDlg::Graph() {
  if (!graph_) return;
  pendingGraph_ = GraphRequest{range_.condition->currentIndex(), range_.StartText(), range_.EndText()};
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
