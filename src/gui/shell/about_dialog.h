#pragma once
// CAboutDlg: the program icon, the version, copyright and description texts of
// the configuration, and the software-update link.
#include <QDialog>
#include <QString>

#include <string>

namespace skyvane {

struct AppSettings;
class TextTable;
class CLinkLabel;

// The address the About box links: a web address as configured; a file address
// when the file is there, else the README beside the program (a build tree);
// empty, so the link is left out, when neither exists or nothing is configured.
QString AboutLinkAddress(const std::string& configured, const QString& programFolder);

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  CAboutDlg(const AppSettings& settings, const TextTable& text, QWidget* parent = nullptr);
  CLinkLabel* Link() const { return link_; }

 private:
  CLinkLabel* link_ = nullptr;
};

}  // namespace skyvane
