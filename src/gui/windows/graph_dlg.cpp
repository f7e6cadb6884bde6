#include "gui/windows/graph_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <cmath>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/dialogs/dialog_station.h"
#include "core/history/graph_series.h"
#include "core/history/history_file.h"
#include "core/history/search_range.h"
#include "core/station/device_busy.h"
#include "core/station/station_device.h"
#include "core/units/timestamps.h"
#include "gui/chart/chart_widget.h"
#include "gui/windows/graph_captions.h"
#include "gui/windows/window_controls.h"

namespace skyvane {
namespace {

struct ChartType {
  Txt name;
  int seriesClass;
};

// The Type list, in list order, with the chart's series class of each entry.
constexpr ChartType kChartTypes[] = {
    {Txt::ChartLine, 0},     {Txt::ChartBar, 1},     {Txt::ChartHorizBar, 2}, {Txt::ChartArea, 3},
    {Txt::ChartPoint, 4},    {Txt::ChartFastLine, 6}, {Txt::ChartArrow, 10},  {Txt::ChartVolume, 14},
    {Txt::ChartBezier, 16},  {Txt::ChartPoint3D, 19}, {Txt::ChartBar3D, 23},
};

constexpr int kPoint3DClass = 19;
constexpr int kBar3DClass = 23;

// The picture written by Export...
constexpr int kJpegWidth = 1024;
constexpr int kJpegHeight = 768;
constexpr int kJpegQuality = 100;

// Client size when the window opens at the default font; a larger font makes
// the window larger.
constexpr QSize kInitialSize(880, 600);

QColor ChartColour(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

GraphOpening MenuGraphOpening(const Clock& clock) {
  const std::time_t now = clock.Now();
  const int month = static_cast<int>(SearchCondition::kMonth);
  return {month, LocalTimeOf(now - SearchSpanSeconds(month)), LocalTimeOf(now)};
}

CGraphDlg::CGraphDlg(const TextTable& text, StationDevice& device, HistoryFile& file, const Clock& clock,
                     const GraphOpening& opening, QWidget* parent, DialogPrompts prompts)
    : QDialog(parent), text_(text), device_(device), file_(file), clock_(clock), prompts_(std::move(prompts)) {
  BuildControls();
  PlaceControls();
  resize(kInitialSize.expandedTo(sizeHint()));

  QComboBox* const condition = range_.condition;
  condition->setCurrentIndex(opening.condition >= 0 && opening.condition < condition->count() ? opening.condition
                                                                                             : -1);
  range_.SetPickers(opening.start, opening.end);
  type_->setCurrentIndex(0);
  series_->setCurrentIndex(0);

  // Connected only now, so that setting up the controls neither resets the
  // pickers nor draws.
  connect(condition, &QComboBox::currentIndexChanged, this, &CGraphDlg::OnConditionChanged);
  connect(range_.search, &QPushButton::clicked, this, &CGraphDlg::Search);
  connect(refresh_, &QPushButton::clicked, this, &CGraphDlg::Refresh);
  connect(export_, &QPushButton::clicked, this, &CGraphDlg::Export);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(series_, &QComboBox::currentIndexChanged, this, &CGraphDlg::Draw);
  connect(type_, &QComboBox::currentIndexChanged, this, [this] {
    // The 3D types are drawn in 3D; the box says so, and the user may still change it.
    const int seriesClass = type_->currentData().toInt();
    const QSignalBlocker quiet(view3D_);
    view3D_->setChecked(seriesClass == kPoint3DClass || seriesClass == kBar3DClass);
    Draw();
  });
  connect(view3D_, &QCheckBox::toggled, this, &CGraphDlg::Draw);

  Search();
}

CGraphDlg::~CGraphDlg() = default;

void CGraphDlg::BuildControls() {
  const GraphCaptions& c = GraphCaptionsFor(text_.LanguageIndex());
  setWindowTitle(c.title);
  range_.Build(this, c.range, text_);

  chart_ = new ChartWidget(this);
  chart_->setObjectName(QStringLiteral("chart"));

  seriesLabel_ = MakeLabel(this, c.series, "seriesLabel");
  series_ = MakeCombo(this, "series");
  series_->addItems(c.seriesItems);
  typeLabel_ = MakeLabel(this, c.type, "typeLabel");
  type_ = MakeCombo(this, "type");
  for (const ChartType& t : kChartTypes) type_->addItem(TableText(text_, t.name), t.seriesClass);
  view3D_ = new QCheckBox(c.view3D, this);
  view3D_->setObjectName(QStringLiteral("view3D"));
  refresh_ = MakeButton(this, c.refresh, "refresh");
  export_ = MakeButton(this, c.exportButton, "export");
  cancel_ = MakeButton(this, c.cancel, "cancel");
  // Part of the layout, but nothing offers printing.
  print_ = MakeButton(this, c.print, "print");
  print_->setEnabled(false);
  print_->hide();
}

// The search row on top, the chart taking every pixel the window grows by, and
// the choices and buttons below it; the window cannot shrink below what shows
// them all.
void CGraphDlg::PlaceControls() {
  range_.LayOut();
  chart_->setMinimumSize(320, 200);
  series_->setMinimumWidth(168);
  type_->setMinimumWidth(120);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(seriesLabel_);
  bottom->addWidget(series_);
  bottom->addSpacing(10);
  bottom->addWidget(typeLabel_);
  bottom->addWidget(type_);
  bottom->addSpacing(10);
  bottom->addWidget(view3D_);
  bottom->addSpacing(10);
  for (QPushButton* b : {print_, refresh_, export_, cancel_}) {
    b->setMinimumSize(100, 28);
    bottom->addWidget(b);
  }
  bottom->addStretch(1);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(8, 4, 8, 10);
  page->setSpacing(8);
  page->addWidget(range_.group);
  page->addWidget(chart_, 1);
  page->addLayout(bottom);
}

void CGraphDlg::OnConditionChanged() { range_.SpanEndingAt(clock_.Now()); }

void CGraphDlg::Search() {
  start_ = range_.StartText().toStdString();
  end_ = range_.EndText().toStdString();
  Refresh();
}

void CGraphDlg::Refresh() {
  file_.LoadRange(rows_, start_, end_);
  Draw();
}

void CGraphDlg::ReadUnits() {
  // A station that stays busy leaves the units of the last reading (the
  // defaults until one succeeded); no message.
  const UnitsReading reading = ReadUnitsForUser(device_, prompts_.sleep);
  if (reading.Read()) units_ = reading.units;
}

void CGraphDlg::Draw() {
  ReadUnits();
  const GraphChoice choice = GraphChoiceOf(series_->currentIndex());
  const QString seriesText = series_->currentText();
  const int seriesClass = type_->currentIndex() >= 0 ? type_->currentData().toInt() : kChartTypes[0].seriesClass;

  chart_->RemoveAllSeries();
  chart_->SetHeaderText(TableText(text_, Txt::Weather) + QStringLiteral("--") + seriesText);
  chart_->SetView3D(view3D_->isChecked());
  chart_->SetBottomAxisMinMax(TimestampToChartTime(start_), TimestampToChartTime(end_));
  chart_->SetBottomAxisTitle(TableText(text_, Txt::SampleTime));
  chart_->SetBottomAxisDateTimeFormat(TableText(text_, Txt::ChartDateTimeFormat));

  const GraphLeftAxis axis = GraphLeftAxisFor(choice, seriesText.toStdString(), text_, units_);
  chart_->SetLeftAxisTitle(QString::fromStdString(axis.title));
  chart_->SetLeftAxisMinMax(axis.minimum, axis.maximum);

  const GraphChoiceSpec& spec = GraphChoiceSpecOf(choice);
  const GraphPoints points = CollectGraphPoints(rows_, choice, units_);
  for (int s = 0; s < spec.seriesCount; ++s) {
    const int series = chart_->AddSeries(seriesClass);
    chart_->SetSeriesColor(series, ChartColour(kGraphSeriesColours[s]));
    chart_->SetSeriesTitle(series, TableText(text_, spec.series[s].title));
    const std::vector<double>& y = points.y[s];
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (std::isnan(y[i])) {
        chart_->AddGap(series, points.x[i]);
      } else {
        chart_->AddPoint(series, points.x[i], y[i]);
      }
    }
  }
}

void CGraphDlg::Export() {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("exportFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({QStringLiteral("JPEG Files (*.jpg)"), QStringLiteral("All Files (*.*)")});
  dialog.setDefaultSuffix(QStringLiteral("jpg"));
  dialog.setDirectory(SaveFolder(SaveKind::kPictures));
  dialog.selectFile(QStringLiteral("Skyvane.jpg"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().constFirst();
  RememberSaveFolder(path);
  if (!chart_->SaveJpeg(path, kJpegWidth, kJpegHeight, kJpegQuality)) {
    // The user would otherwise believe the picture saved.
    prompts_.message(this, path + QStringLiteral("\n\n") + TableText(text_, Txt::Fail));
  }
}

}  // namespace skyvane
