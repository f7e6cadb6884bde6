#include "gui/windows/window_controls.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

#include "core/app/text_table.h"

namespace skyvane {

QString TableText(const TextTable& text, Txt entry) {
  const std::string_view t = text.Text(entry);
  return QString::fromUtf8(t.data(), static_cast<int>(t.size()));
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, const char* name) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QLatin1String(name));
  return l;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, const char* name) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  return b;
}

QComboBox* MakeCombo(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QLatin1String(name));
  return c;
}

namespace {
// The session's last save folder, shared by every save dialog of the program
// as the desktop's own file dialogs share theirs; only the UI thread uses it.
QString& LastSaveFolder() {
  static QString folder;
  return folder;
}
}  // namespace

QString SaveFolder(SaveKind kind) {
  const QString& last = LastSaveFolder();
  if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
  const QString standard = QStandardPaths::writableLocation(
      kind == SaveKind::kPictures ? QStandardPaths::PicturesLocation : QStandardPaths::DocumentsLocation);
  if (!standard.isEmpty() && QFileInfo(standard).isDir()) return standard;
  return QDir::homePath();
}

void RememberSaveFolder(const QString& savedFile) {
  if (!savedFile.isEmpty()) LastSaveFolder() = QFileInfo(savedFile).absolutePath();
}

void ForgetSaveFolder() { LastSaveFolder().clear(); }

}  // namespace skyvane
