#include "gui/windows/graph_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimeEdit>

#include <cmath>
#include <filesystem>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/graph_series.h"
#include "core/history/history_file.h"
#include "core/history/search_range.h"
#include "core/station/device_busy.h"
#include "core/station/station_device.h"
#include "core/units/timestamps.h"
#include "gui/chart/chart_widget.h"
#include "gui/windows/graph_captions.h"

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

// The picture written by Export...
constexpr int kJpegWidth = 1024;
constexpr int kJpegHeight = 768;
constexpr int kJpegQuality = 100;

// Client size when the window opens, and the smallest size the resize rule follows.
constexpr QSize kInitialSize(880, 600);
constexpr int kSmallestSide = 200;

QColor ChartColour(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

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

std::string RangeText(const QDateEdit* date, const QTimeEdit* time) {
  return (date->date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
          time->time().toString(QStringLiteral("HH:mm:ss")))
      .toStdString();
}

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
  resize(kInitialSize);
  PlaceControls();
  lastSize_ = kInitialSize;

  condition_->setCurrentIndex(opening.condition >= 0 && opening.condition < condition_->count()
                                  ? opening.condition
                                  : -1);
  SetPickers(opening.start, opening.end);
  type_->setCurrentIndex(0);
  series_->setCurrentIndex(0);

  // Connected only now, so that setting up the controls neither resets the
  // pickers nor draws.
  connect(condition_, &QComboBox::currentIndexChanged, this, &CGraphDlg::OnConditionChanged);
  connect(search_, &QPushButton::clicked, this, &CGraphDlg::Search);
  connect(refresh_, &QPushButton::clicked, this, &CGraphDlg::Refresh);
  connect(export_, &QPushButton::clicked, this, &CGraphDlg::Export);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(series_, &QComboBox::currentIndexChanged, this, &CGraphDlg::Draw);
  connect(type_, &QComboBox::currentIndexChanged, this, &CGraphDlg::Draw);
  connect(view3D_, &QCheckBox::toggled, this, &CGraphDlg::Draw);

  Search();
}

CGraphDlg::~CGraphDlg() = default;

QString CGraphDlg::TableText(Txt entry) const {
  const std::string_view t = text_.Text(entry);
  return QString::fromUtf8(t.data(), static_cast<int>(t.size()));
}

void CGraphDlg::BuildControls() {
  const GraphCaptions& c = GraphCaptionsFor(text_.LanguageIndex());
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
  auto combo = [this](const char* name) {
    auto* b = new QComboBox(this);
    b->setObjectName(QLatin1String(name));
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
  condition_ = combo("condition");
  condition_->addItems(c.conditionItems);
  startLabel_ = label(c.startTime, "startLabel");
  startDate_ = dateEdit("startDate");
  startTime_ = timeEdit("startTime");
  endLabel_ = label(c.endTime, "endLabel");
  endDate_ = dateEdit("endDate");
  endTime_ = timeEdit("endTime");
  search_ = button(c.search, "search");
  search_->setDefault(true);

  chart_ = new ChartWidget(this);
  chart_->setObjectName(QStringLiteral("chart"));

  seriesLabel_ = label(c.series, "seriesLabel");
  series_ = combo("series");
  series_->addItems(c.seriesItems);
  typeLabel_ = label(c.type, "typeLabel");
  type_ = combo("type");
  for (const ChartType& t : kChartTypes) type_->addItem(TableText(t.name), t.seriesClass);
  view3D_ = new QCheckBox(c.view3D, this);
  view3D_->setObjectName(QStringLiteral("view3D"));
  refresh_ = button(c.refresh, "refresh");
  export_ = button(c.exportButton, "export");
  cancel_ = button(c.cancel, "cancel");
  // Part of the layout, but nothing offers printing.
  print_ = button(c.print, "print");
  print_->setEnabled(false);
  print_->hide();
}

void CGraphDlg::PlaceControls() {
  searchGroup_->setGeometry(8, 4, 864, 58);
  conditionLabel_->setGeometry(18, 26, 70, 22);
  condition_->setGeometry(90, 24, 124, 24);
  startLabel_->setGeometry(224, 26, 72, 22);
  startDate_->setGeometry(296, 24, 106, 24);
  startTime_->setGeometry(404, 24, 84, 24);
  endLabel_->setGeometry(498, 26, 64, 22);
  endDate_->setGeometry(562, 24, 106, 24);
  endTime_->setGeometry(670, 24, 84, 24);
  search_->setGeometry(770, 22, 94, 28);
  chart_->setGeometry(8, 70, 864, 480);
  seriesLabel_->setGeometry(8, 564, 52, 22);
  series_->setGeometry(62, 562, 168, 24);
  typeLabel_->setGeometry(240, 564, 40, 22);
  type_->setGeometry(282, 562, 120, 24);
  view3D_->setGeometry(414, 562, 50, 24);
  print_->setGeometry(470, 560, 84, 28);
  refresh_->setGeometry(560, 560, 100, 28);
  export_->setGeometry(666, 560, 100, 28);
  cancel_->setGeometry(772, 560, 100, 28);
}

void CGraphDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const QSize size = event->size();
  if (size.width() < kSmallestSide || size.height() < kSmallestSide) return;
  const int dx = size.width() - lastSize_.width();
  const int dy = size.height() - lastSize_.height();
  if (dx == 0 && dy == 0) return;
  chart_->resize(chart_->width() + dx, chart_->height() + dy);
  for (QWidget* w : std::initializer_list<QWidget*>{seriesLabel_, series_, typeLabel_, type_, view3D_, print_,
                                                    refresh_, export_, cancel_}) {
    w->move(w->x(), w->y() + dy);
  }
  lastSize_ = size;
}

void CGraphDlg::SetPickers(const QDateTime& start, const QDateTime& end) {
  startDate_->setDate(start.date());
  startTime_->setTime(start.time());
  endDate_->setDate(end.date());
  endTime_->setTime(end.time());
}

void CGraphDlg::OnConditionChanged() {
  const std::time_t now = clock_.Now();
  SetPickers(LocalTimeOf(now - SearchSpanSeconds(condition_->currentIndex())), LocalTimeOf(now));
}

void CGraphDlg::Search() {
  start_ = RangeText(startDate_, startTime_);
  end_ = RangeText(endDate_, endTime_);
  Refresh();
}

void CGraphDlg::Refresh() {
  file_.LoadRange(rows_, start_, end_);
  Draw();
}

void CGraphDlg::ReadUnits() {
  // A station that stays busy leaves the units of the last reading (the
  // defaults until one succeeded); no message.
  DeviceBusyClaim claim = ClaimDeviceForUser(device_.DeviceBusy(), prompts_.sleep);
  if (!claim) return;
  HeaderRecord header;
  if (device_.ReadHeader(header)) units_ = header;
}

void CGraphDlg::Draw() {
  ReadUnits();
  const GraphChoice choice = GraphChoiceOf(series_->currentIndex());
  const QString seriesText = series_->currentText();
  const int seriesClass = type_->currentIndex() >= 0 ? type_->currentData().toInt() : kChartTypes[0].seriesClass;

  chart_->RemoveAllSeries();
  chart_->SetHeaderText(TableText(Txt::Weather) + QStringLiteral("--") + seriesText);
  chart_->SetView3D(view3D_->isChecked());
  chart_->SetBottomAxisMinMax(TimestampToChartTime(start_), TimestampToChartTime(end_));
  chart_->SetBottomAxisTitle(TableText(Txt::SampleTime));
  chart_->SetBottomAxisDateTimeFormat(TableText(Txt::ChartDateTimeFormat));

  const GraphLeftAxis axis = GraphLeftAxisFor(choice, seriesText.toStdString(), text_, units_);
  chart_->SetLeftAxisTitle(QString::fromStdString(axis.title));
  chart_->SetLeftAxisMinMax(axis.minimum, axis.maximum);

  const GraphChoiceSpec& spec = GraphChoiceSpecOf(choice);
  const GraphPoints points = CollectGraphPoints(rows_, choice, units_);
  for (int s = 0; s < spec.seriesCount; ++s) {
    const int series = chart_->AddSeries(seriesClass);
    chart_->SetSeriesColor(series, ChartColour(kGraphSeriesColours[s]));
    chart_->SetSeriesTitle(series, TableText(spec.series[s].title));
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
  // The program folder, where the data file lives.
  const std::filesystem::path folder = std::filesystem::path(file_.path()).parent_path();
  if (!folder.empty()) dialog.setDirectory(QString::fromStdString(folder.string()));
  dialog.selectFile(QStringLiteral("Skyvane.jpg"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().constFirst();
  if (!chart_->SaveJpeg(path, kJpegWidth, kJpegHeight, kJpegQuality)) {
    // The user would otherwise believe the picture saved.
    prompts_.message(this, path + QStringLiteral("\n\n") + TableText(Txt::Fail));
  }
}

}  // namespace skyvane
