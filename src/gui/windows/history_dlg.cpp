#include "gui/windows/history_dlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

// Client size when the window opens at the default font; a larger font makes
// the window larger.
constexpr QSize kInitialSize(960, 600);
constexpr int kButtonHeight = 28;
constexpr int kButtonWidth = 110;
// Rows measured from each end of the grid for its widest values: the values
// of one column are alike, and a range of years must still fill quickly.
constexpr std::size_t kMeasuredRows = 2000;

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
  PlaceControls();
  resize(kInitialSize.expandedTo(sizeHint()));

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

// The search row on top, the grid taking every pixel the window grows by, and
// the buttons at the bottom left; the window cannot shrink below what shows
// them all.
void CHistoryDlg::PlaceControls() {
  range_.LayOut();
  grid_->setMinimumSize(240, 120);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  for (QPushButton* b : {refresh_, clearData_, clearMemory_, graphButton_, export_, cancel_, print_, delete_}) {
    b->setMinimumSize(kButtonWidth, kButtonHeight);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(8, 4, 8, 10);
  page->setSpacing(8);
  page->addWidget(range_.group);
  page->addWidget(grid_, 1);
  page->addLayout(buttons);
}

void CHistoryDlg::FitColumns(bool all) {
  QHeaderView* columns = grid_->horizontalHeader();
  const QFontMetrics fm(grid_->font());
  // The item view leaves a focus margin and one pixel on either side of a cell's text.
  const int pad = 2 * (grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1) + 6;
  const HistoryGrid& g = model_->Grid();
  const std::size_t rows = g.RowCount();
  for (int col = 0; col < model_->columnCount(); ++col) {
    if (GridDefaultWidth(col) == 0) continue;  // present, never shown
    if (!all && columns->sectionSize(col) == 0) continue;  // dragged shut by the user
    int width = std::max(GridDefaultWidth(col), columns->sectionSizeHint(col));
    // The longest texts, by characters, of the rows at both ends.
    std::size_t longest = 0;
    std::vector<std::string> widest;
    auto consider = [&](std::size_t row) {
      std::string cell = g.Cell(row, col);
      if (cell.size() > longest) {
        longest = cell.size();
        widest.clear();
      }
      if (cell.size() == longest && widest.size() < 16) widest.push_back(std::move(cell));
    };
    if (col == gridcol::kNo) {
      // Room for seven digits from the start, so the column does not jump
      // from search to search: ten years of five-minute records stay below that.
      widest.assign(1, "8888888");
      longest = widest.front().size();
      if (rows > 0) consider(rows - 1);
    } else {
      for (std::size_t r = 0; r < rows && r < kMeasuredRows; ++r) consider(r);
      for (std::size_t r = std::max(kMeasuredRows, rows > kMeasuredRows ? rows - kMeasuredRows : 0); r < rows; ++r) {
        consider(r);
      }
    }
    for (const std::string& cell : widest) {
      width = std::max(width, fm.horizontalAdvance(QString::fromStdString(cell)) + pad);
    }
    if (width > columns->sectionSize(col)) columns->resizeSection(col, width);
  }
}

bool CHistoryDlg::Open() {
  const UnitsReading reading = ReadUnitsForUser(device_, prompts_.sleep);
  for (const Txt message : reading.messages) prompts_.message(this, TableText(text_, message));
  if (reading.linkBusy) return false;
  model_->SetUnits(reading.units);
  FitColumns(true);

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
  FitColumns(false);
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

  const QString path = AskExportFileName(this, SaveFolder(SaveKind::kDocuments));
  if (path.isEmpty()) return;
  RememberSaveFolder(path);
  errno = 0;
  if (!WriteExportFile(QFile::encodeName(path).toStdString(), model_->Grid(), dialog.Choices())) {
    const int error = errno;
    QString message = path;
    if (error != 0) message += QStringLiteral("\n\n") + QString::fromLocal8Bit(std::strerror(error));
    prompts_.message(this, message);
  }
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
