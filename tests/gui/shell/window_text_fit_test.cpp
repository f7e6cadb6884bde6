// Every window of the program in every language and at the usual desktop font
// sizes: no caption, button, header or cell text is cut, and at its smallest
// size every button of a window lies inside it. One walk over the widgets of
// each window; ctest runs it once more at a device pixel ratio of 2.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QToolBar>

#include <functional>
#include <memory>
#include <string>

#include "core/app/app_settings.h"
#include "core/history/history_grid.h"
#include "desktop_fixture.h"
#include "gui/dialogs/alarm_dlg.h"
#include "gui/dialogs/dialog_prompts.h"
#include "gui/dialogs/maxmin_dlg.h"
#include "gui/dialogs/setup_dlg.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/language_dialog.h"
#include "gui/shell/main_frame.h"
#include "gui/view/halvar_view.h"
#include "gui/windows/export_dlg.h"
#include "gui/windows/graph_dlg.h"
#include "gui/windows/history_dlg.h"
#include "gui/windows/statistics_dlg.h"
#include "windows/history_window_support.h"

namespace skyvane {
namespace {

// Both rigs a window may need, in one language.
struct Rigs {
  explicit Rigs(int language) : desktop(language), window(language) {}
  test::DesktopRig desktop;
  test::WindowRig window;
  AppSettings settings;
};

using Factory = std::function<std::unique_ptr<QWidget>(Rigs&)>;

struct WindowCase {
  const char* name;
  Factory make;
  bool dialog;  // has a smallest size of its own to check the buttons at
};

std::unique_ptr<QWidget> MainForm(Rigs& r) {
  auto frame = std::make_unique<CMainFrame>(*r.desktop.context);
  frame->resize(FrameRectFor(QRect(0, 0, 1280, 1024)).size());
  frame->show();
  EXPECT_TRUE(test::WaitFor([&] { return frame->View()->InitialUpdateDone(); }));
  return frame;
}

std::unique_ptr<QWidget> History(Rigs& r) {
  test::WindowRig& w = r.window;
  // A long value beside ordinary ones.
  HistoryRowArray rows{test::StoredRowAt(w.now - 120), test::StoredRowAt(w.now - 60)};
  rows[0][row::rainTotal] = "99999.9";
  rows[0][row::absolutePressure] = "1085.0";
  EXPECT_TRUE(w.file.AppendRows(rows));
  auto dlg = std::make_unique<CHistoryDlg>(w.text, *w.device, w.file, w.clock, nullptr, GraphOpener{}, w.prompts);
  EXPECT_TRUE(dlg->Open());
  return dlg;
}

// Two records a minute apart, read before the window is measured.
std::unique_ptr<QWidget> Statistics(Rigs& r) {
  test::WindowRig& w = r.window;
  EXPECT_TRUE(w.file.AppendRows({test::StoredRowAt(w.now - 120), test::StoredRowAt(w.now - 60)}));
  StatisticsSource source{w.DataPath().string(), "2024-03-01 12:00:00", {"°F", "inch", "inHg", "km/h"}, {}};
  auto dlg = std::make_unique<CStatisticsDlg>(w.text, source, nullptr, w.prompts);
  EXPECT_TRUE(test::WaitFor([&] { return !dlg->Loading(); }));
  return dlg;
}

const WindowCase kWindows[] = {
    {"main form", MainForm, false},
    {"Setup",
     [](Rigs& r) {
       auto d = std::make_unique<CSetupDlg>(*r.window.device, r.window.text, nullptr, r.window.prompts);
       d->Open();
       return std::unique_ptr<QWidget>(std::move(d));
     },
     true},
    {"Alarm",
     [](Rigs& r) {
       auto d = std::make_unique<CAlarmDlg>(*r.window.device, r.window.text, nullptr, r.window.prompts);
       d->Open();
       return std::unique_ptr<QWidget>(std::move(d));
     },
     true},
    {"Scope",
     [](Rigs& r) {
       auto d = std::make_unique<CMaxMinDlg>(*r.window.device, r.window.file, r.window.text, nullptr,
                                             r.window.prompts);
       EXPECT_TRUE(d->Open());
       return std::unique_ptr<QWidget>(std::move(d));
     },
     true},
    {"History", History, true},
    {"Statistics", Statistics, true},
    {"Export",
     [](Rigs& r) {
       const HistoryGrid grid(r.window.text);
       return std::unique_ptr<QWidget>(
           std::make_unique<CExportDlg>(r.window.text, ColumnEntries(grid, GridDefaultWidths())));
     },
     true},
    {"Graph",
     [](Rigs& r) {
       test::WindowRig& w = r.window;
       return std::unique_ptr<QWidget>(std::make_unique<CGraphDlg>(w.text, *w.device, w.file, w.clock,
                                                                   MenuGraphOpening(w.clock), nullptr, w.prompts));
     },
     true},
    {"Language", [](Rigs& r) { return std::unique_ptr<QWidget>(std::make_unique<CLanguageDlg>(*r.desktop.context)); },
     true},
    {"About",
     [](Rigs& r) { return std::unique_ptr<QWidget>(std::make_unique<CAboutDlg>(r.settings, r.window.text)); }, true},
};

QString Plain(QString text) {
  text.remove(QLatin1Char('&'));
  return text;
}

int Widest(const QFontMetrics& fm, const QString& text) {
  int w = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) w = std::max(w, fm.horizontalAdvance(line));
  return w;
}

// Where a widget's text is cut: a description per clipped text.
QStringList ClippedTexts(QWidget& window) {
  QStringList cut;
  auto report = [&cut](const QWidget* w, const QString& text, int need, int room) {
    if (need > room) {
      cut << QStringLiteral("%1 \"%2\": needs %3, has %4").arg(w->objectName(), text).arg(need).arg(room);
    }
  };
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&window) || w->width() <= 0) continue;
    // The status bar elides what does not fit, as the desktop's own do; tool
    // buttons show their captions as tool tips.
    bool inBar = false;
    for (QWidget* p = w; p != nullptr && p != &window; p = p->parentWidget()) {
      inBar = inBar || qobject_cast<QStatusBar*>(p) != nullptr || qobject_cast<QToolBar*>(p) != nullptr;
    }
    if (inBar) continue;
    const QFontMetrics fm = w->fontMetrics();
    QStyle* style = w->style();
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label->text().isEmpty() || label->wordWrap() || Qt::mightBeRichText(label->text())) continue;
      const int room = label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent());
      report(w, label->text(), Widest(fm, Plain(label->text())), room);
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
      report(w, box->text(), box->sizeHint().width(), box->width());
    } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
      report(w, radio->text(), radio->sizeHint().width(), radio->width());
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
      if (button->text().isEmpty()) continue;
      const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
      const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
      report(w, button->text(), fm.horizontalAdvance(Plain(button->text())), button->width() - 2 * frame - margin);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      report(w, group->title(), fm.horizontalAdvance(Plain(group->title())) + 16, group->width());
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      QStyleOptionComboBox opt;
      opt.initFrom(combo);
      opt.editable = combo->isEditable();
      opt.frame = combo->hasFrame();
      const int room = style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width();
      // Any entry may be the chosen one.
      for (int i = 0; i < combo->count(); ++i) report(w, combo->itemText(i), fm.horizontalAdvance(combo->itemText(i)), room);
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
      report(w, spin->text(), spin->sizeHint().width(), spin->width());
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) || qobject_cast<QComboBox*>(edit->parentWidget())) continue;
      const int frame = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w) : 0;
      const QMargins m = edit->textMargins();
      report(w, edit->text(), fm.horizontalAdvance(edit->text()), edit->width() - 2 * frame - 4 - m.left() - m.right());
    } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
      if (header->orientation() != Qt::Horizontal) continue;
      for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i) || header->sectionSize(i) == 0) continue;
        const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
        report(w, text, header->sectionSizeHint(i), header->sectionSize(i));
      }
    } else if (auto* table = qobject_cast<QTableView*>(w)) {
      const int pad = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1);
      const QAbstractItemModel* m = table->model();
      for (int row = 0; row < m->rowCount() && row < 50; ++row) {
        for (int col = 0; col < m->columnCount(); ++col) {
          if (table->columnWidth(col) == 0) continue;
          const QString text = m->index(row, col).data().toString();
          report(w, text, QFontMetrics(table->font()).horizontalAdvance(text) + pad, table->columnWidth(col));
        }
      }
      if (m->rowCount() > 0 && table->columnWidth(0) > 0) {
        // The row number of the millionth record.
        report(w, QStringLiteral("1234567"), QFontMetrics(table->font()).horizontalAdvance("1234567") + pad,
               table->columnWidth(0));
      }
    } else if (auto* list = qobject_cast<QListView*>(w)) {
      const int pad = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1);
      const QAbstractItemModel* m = list->model();
      for (int row = 0; row < m->rowCount(); ++row) {
        const QString text = m->index(row, 0).data().toString();
        report(w, text, QFontMetrics(list->font()).horizontalAdvance(text) + pad, list->viewport()->width());
      }
    }
  }
  return cut;
}

// Buttons lying partly or wholly outside the window.
QStringList ButtonsOutside(QWidget& window) {
  QStringList outside;
  for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
    if (!b->isVisibleTo(&window) || qobject_cast<QPushButton*>(b) == nullptr) continue;
    const QRect r(b->mapTo(&window, QPoint(0, 0)), b->size());
    if (!window.rect().contains(r)) outside << b->objectName();
  }
  return outside;
}

struct Setting {
  int language;
  int points;
};

class WindowTextFit : public ::testing::TestWithParam<Setting> {
 protected:
  void SetUp() override {
    saved_ = QApplication::font();
    QFont font = saved_;
    font.setPointSize(GetParam().points);
    QApplication::setFont(font);
  }
  void TearDown() override { QApplication::setFont(saved_); }

 private:
  QFont saved_;
};

TEST_P(WindowTextFit, EveryTextWholeAndEveryButtonReachable) {
  for (const WindowCase& c : kWindows) {
    SCOPED_TRACE(c.name);
    Rigs rigs(GetParam().language);
    std::unique_ptr<QWidget> window = c.make(rigs);
    window->show();
    QApplication::processEvents();
    const QStringList cut = ClippedTexts(*window);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral("\n")).toStdString();
    if (!c.dialog) continue;
    window->resize(1, 1);
    QApplication::processEvents();
    // At its smallest the window still shows whole dates and times.
    for (QAbstractSpinBox* spin : window->findChildren<QAbstractSpinBox*>()) {
      if (!spin->isVisibleTo(window.get())) continue;
      QString widest = spin->text();
      for (QChar& ch : widest) {
        if (ch.isDigit()) ch = QLatin1Char('8');
      }
      const int need = std::max(spin->sizeHint().width(),
                                spin->fontMetrics().horizontalAdvance(widest) + spin->sizeHint().width() -
                                    spin->fontMetrics().horizontalAdvance(spin->text()));
      EXPECT_GE(spin->width(), need) << spin->objectName().toStdString() << " \"" << spin->text().toStdString()
                                     << "\" at " << window->width();
    }
    const QStringList outside = ButtonsOutside(*window);
    EXPECT_TRUE(outside.isEmpty()) << "at " << window->width() << "x" << window->height() << ": "
                                   << outside.join(QStringLiteral(", ")).toStdString();
  }
}

TEST_P(WindowTextFit, QuestionBoxesAreAsWideAsTheirCaption) {
  Rigs rigs(GetParam().language);
  const QString caption = QString::fromUtf8(rigs.window.text.Text(Txt::OperationNotify).data());
  QMessageBox box(QMessageBox::Question, caption, QStringLiteral("?"), QMessageBox::Yes | QMessageBox::No);
  FitCaption(box);
  box.show();
  QApplication::processEvents();
  QFont title = box.font();
  title.setBold(true);
  EXPECT_GE(box.width(), QFontMetrics(title).horizontalAdvance(caption) + 100);
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndFonts, WindowTextFit,
                         ::testing::Values(Setting{0, 9}, Setting{0, 10}, Setting{0, 11}, Setting{0, 12},
                                           Setting{1, 9}, Setting{1, 10}, Setting{1, 11}, Setting{1, 12},
                                           Setting{2, 9}, Setting{2, 10}, Setting{2, 11}, Setting{2, 12}),
                         [](const auto& setting) {
                           return std::string(LanguageNameOf(setting.param.language)) + "_" +
                                  std::to_string(setting.param.points) + "pt";
                         });

}  // namespace
}  // namespace skyvane
