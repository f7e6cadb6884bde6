#pragma once
// CAboutDlg: the program icon, the version, copyright and description texts of
// the configuration, and the software-update link.
#include <QDialog>

namespace skyvane {

struct AppSettings;
class TextTable;
class CLinkLabel;

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  CAboutDlg(const AppSettings& settings, const TextTable& text, QWidget* parent = nullptr);
  CLinkLabel* Link() const { return link_; }

 private:
  CLinkLabel* link_ = nullptr;
};

}  // namespace skyvane
