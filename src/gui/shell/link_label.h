#pragma once
// CLinkLabel: a text label that behaves like a web link — link, hover and
// visited colours, underlined font, pointing-hand cursor, the address as tool
// tip — and opens its address with the desktop's default handler when clicked.
#include <QColor>
#include <QLabel>
#include <QString>
#include <functional>

namespace skyvane {

// Result codes of OpenAddress: above kOpenOk means success; at or below it a
// failure whose words LinkErrorText gives.
constexpr int kOpenOk = 32;
constexpr int kOpenSucceeded = 33;
constexpr int kOpenNotFound = 2;        // the fallback browser program does not exist
constexpr int kOpenNoAssociation = 31;  // nothing on this desktop opens web addresses

// The words for a failed open: "The specified file was not found." and its
// siblings; "Unknown Error (%d) occurred." for a code without words of its own.
QString LinkErrorText(int code);

// Opens an address with the desktop's handler, falling back to the programs
// named in $BROWSER (colon-separated; "%s" stands for the address). The address
// is handed over as a single argument, never through a shell.
int OpenAddress(const QString& address);

class CLinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit CLinkLabel(QWidget* parent = nullptr);

  // Takes the address from the text when none was set, shows the address when the
  // text is empty, sets the underlined font, the cursor and the tool tip, and fits
  // the label to its text.
  void Attach();

  void SetAddress(const QString& address) { address_ = address; }
  QString Address() const { return address_; }
  void SetVisited(bool visited);
  bool IsVisited() const { return visited_; }
  bool IsOver() const { return over_; }
  void SetUnderline(bool underline) { underline_ = underline; }
  void SetAdjustToFit(bool adjust) { adjustToFit_ = adjust; }

  QColor LinkColour() const { return linkColour_; }
  QColor VisitedColour() const { return visitedColour_; }
  QColor HoverColour() const { return hoverColour_; }
  // The colour the text is drawn in now.
  QColor CurrentColour() const;

  // Replaces the opener (tests; a desktop without a browser).
  void SetOpener(std::function<int(const QString&)> opener) { opener_ = std::move(opener); }
  // Replaces the error report (tests); by default a warning message box.
  void SetErrorReport(std::function<void(const QString&)> report) { report_ = std::move(report); }

  // What a click does: open, then mark visited or report the error.
  void Activate();

 signals:
  void opened(const QString& address);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ApplyColour();
  void AdjustToFit();

  QColor linkColour_{0, 0, 238};
  QColor visitedColour_{85, 26, 139};
  QColor hoverColour_;
  bool over_ = false;
  bool visited_ = false;
  bool underline_ = true;
  bool adjustToFit_ = true;
  QString address_;
  std::function<int(const QString&)> opener_;
  std::function<void(const QString&)> report_;
};

}  // namespace skyvane
