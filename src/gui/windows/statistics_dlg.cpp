#include "gui/windows/statistics_dlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/app/time_text.h"
#include "core/climate/climate_book.h"
#include "core/dialogs/dialog_station.h"
#include "core/history/history_file.h"
#include "gui/windows/climate_loader.h"
#include "gui/windows/statistics_captions.h"
#include "gui/windows/statistics_grid.h"
#include "gui/windows/window_controls.h"

namespace skyvane {

namespace {

constexpr QSize kInitialSize(1000, 600);
const QString kDateForm = QStringLiteral("yyyy-MM-dd");

QDateEdit* MakeDate(QWidget* parent, const char* name) {
  auto* d = new QDateEdit(parent);
  d->setObjectName(QLatin1String(name));
  d->setDisplayFormat(kDateForm);
  d->setCalendarPopup(true);
  return d;
}

// The summaries whose date lies in [from, to], compared on their own length:
// a month is in when its month is, a year when its year is.
std::vector<climate::Summary> InRange(const std::vector<climate::Summary>& all, const std::string& from,
                                      const std::string& to) {
  std::vector<climate::Summary> shown;
  for (const climate::Summary& s : all) {
    const std::size_t n = s.date.size();
    if (s.date >= from.substr(0, n) && s.date <= to.substr(0, n)) shown.push_back(s);
  }
  return shown;
}

}  // namespace

CStatisticsDlg::CStatisticsDlg(const TextTable& text, StatisticsSource source, QWidget* parent,
                               DialogPrompts prompts)
    : QDialog(parent),
      captions_(StatisticsCaptionsFor(text.LanguageIndex())),
      source_(std::move(source)),
      prompts_(std::move(prompts)) {
  loader_ = new ClimateLoader(source_.options, this);
  BuildControls();
  PlaceControls();
  resize(kInitialSize.expandedTo(sizeHint()));
  connect(loader_, &ClimateLoader::finished, this, &CStatisticsDlg::OnLoaded);
  connect(show_, &QPushButton::clicked, this, &CStatisticsDlg::ShowRange);
  connect(refresh_, &QPushButton::clicked, this, &CStatisticsDlg::Refresh);
  connect(export_, &QPushButton::clicked, this, &CStatisticsDlg::ExportReport);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  Refresh();
}

CStatisticsDlg::~CStatisticsDlg() = default;

void CStatisticsDlg::BuildControls() {
  const StatisticsCaptions& c = captions_;
  setWindowTitle(c.title);
  from_ = MakeDate(this, "from");
  to_ = MakeDate(this, "to");
  show_ = MakeButton(this, c.show, "show");
  show_->setDefault(true);
  refresh_ = MakeButton(this, c.refresh, "refresh");

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabs"));
  const QString tabNames[4] = {c.daily, c.monthly, c.yearly, c.records};
  const char* viewNames[4] = {"daily", "monthly", "yearly", "records"};
  for (int i = 0; i < 4; ++i) {
    models_[i] = new CCellGridModel(this);
    auto* view = new QTableView(tabs_);
    view->setObjectName(QLatin1String(viewNames[i]));
    view->setModel(models_[i]);
    view->setWordWrap(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->setVisible(i == 3);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view->setMinimumSize(240, 120);
    views_[i] = view;
    tabs_->addTab(view, tabNames[i]);
  }

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setRange(0, 0);  // busy: the read has no steps to count
  progress_->setMaximumWidth(160);
  status_ = MakeLabel(this, QString(), "status");
  report_ = MakeCombo(this, "report");
  report_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  export_ = MakeButton(this, c.exportReport, "exportReport");
  close_ = MakeButton(this, c.close, "close");
}

void CStatisticsDlg::PlaceControls() {
  const StatisticsCaptions& c = captions_;
  auto* range = new QHBoxLayout;
  QLabel* fromLabel = MakeLabel(this, c.from, "fromLabel");
  fromLabel->setBuddy(from_);
  QLabel* toLabel = MakeLabel(this, c.to, "toLabel");
  toLabel->setBuddy(to_);
  for (QWidget* w : std::initializer_list<QWidget*>{fromLabel, from_, toLabel, to_, show_, refresh_}) {
    range->addWidget(w);
  }
  range->addStretch(1);
  range->addWidget(progress_);
  range->addWidget(status_);

  auto* buttons = new QHBoxLayout;
  QLabel* reportLabel = MakeLabel(this, c.report, "reportLabel");
  reportLabel->setBuddy(report_);
  buttons->addWidget(reportLabel);
  buttons->addWidget(report_);
  buttons->addWidget(export_);
  buttons->addStretch(1);
  buttons->addWidget(close_);

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(8, 8, 8, 10);
  page->setSpacing(8);
  page->addLayout(range);
  page->addWidget(tabs_, 1);
  page->addLayout(buttons);
}

void CStatisticsDlg::SetLoading(bool loading) {
  loading_ = loading;
  progress_->setVisible(loading);
  status_->setText(loading ? captions_.reading : QString());
  for (QWidget* w : std::initializer_list<QWidget*>{show_, refresh_, report_}) w->setEnabled(!loading);
  export_->setEnabled(!loading && report_->count() > 0);
}

void CStatisticsDlg::Refresh() {
  if (loading_) return;
  if (loader_->Start(source_.dataPath, source_.now)) SetLoading(true);
}

void CStatisticsDlg::OnLoaded() {
  std::string error;
  climate::ClimateTables tables;
  const bool ok = loader_->Take(tables, error);
  SetLoading(false);
  if (!ok) {
    status_->setText(QString::fromStdString(error));
    prompts_.message(this, QString::fromStdString(error));
    return;
  }
  tables_ = std::move(tables);
  // The range spans the whole file when it is first read; a range that
  // reached the newest day goes on reaching it.
  if (!tables_.days.empty()) {
    const QDate oldest = QDate::fromString(QString::fromStdString(tables_.days.front().date), kDateForm);
    const QDate newest = QDate::fromString(QString::fromStdString(tables_.days.back().date), kDateForm);
    if (newest_.isNull()) from_->setDate(oldest);
    if (newest_.isNull() || to_->date() == newest_) to_->setDate(newest);
    newest_ = newest;
  }
  report_->clear();
  for (auto it = tables_.months.rbegin(); it != tables_.months.rend(); ++it) report_->addItem(QString::fromStdString(it->date));
  for (auto it = tables_.years.rbegin(); it != tables_.years.rend(); ++it) report_->addItem(QString::fromStdString(it->date));
  export_->setEnabled(report_->count() > 0);  // nothing to report in an empty file
  models_[3]->SetGrid(RecordsGrid(tables_.records, source_.units, captions_));
  views_[3]->resizeColumnsToContents();
  ShowRange();
}

void CStatisticsDlg::ShowRange() {
  const std::string from = from_->date().toString(kDateForm).toStdString();
  const std::string to = to_->date().toString(kDateForm).toStdString();
  const climate::Period periods[3] = {climate::Period::kDay, climate::Period::kMonth, climate::Period::kYear};
  const std::vector<climate::Summary>* lists[3] = {&tables_.days, &tables_.months, &tables_.years};
  for (int i = 0; i < 3; ++i) {
    models_[i]->SetGrid(SummaryGrid(periods[i], InRange(*lists[i], from, to), source_.units, captions_));
    views_[i]->resizeColumnsToContents();
    views_[i]->scrollToBottom();
  }
}

void CStatisticsDlg::ExportReport() {
  const QString period = report_->currentText();
  const std::string text = climate::ClimateReport(loader_->Book(), period.toStdString(), source_.units, source_.options);
  if (text.empty()) return;
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("reportFile"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")});
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.setDirectory(SaveFolder(SaveKind::kDocuments));
  dialog.selectFile(period + QStringLiteral(".txt"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  RememberSaveFolder(path);
  QFile file(path);
  const QByteArray bytes = QByteArray::fromStdString(text);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.flush()) {
    prompts_.message(this, path + QStringLiteral("\n\n") + file.errorString());
  }
}

void OpenStatisticsWindow(QWidget* parent, const TextTable& text, StationDevice& device,
                          const HistoryFile& file, const Clock& clock, const std::string& folder,
                          const DialogPrompts& prompts) {
  const UnitsReading reading = ReadUnitsForUser(device, prompts.sleep);
  for (const Txt message : reading.messages) prompts.message(parent, TableText(text, message));
  if (reading.linkBusy) return;
  StatisticsSource source;
  source.dataPath = file.path();
  source.now = LocalTimeText(clock.Now());
  source.units = climate::ReportUnitsOf(reading.units);
  source.options = climate::LoadClimateOptions(folder);
  CStatisticsDlg dialog(text, std::move(source), parent, prompts);
  dialog.exec();
}

}  // namespace skyvane
