#pragma once
// Small helpers the History, Graph and Export windows build their controls
// with: texts of the text table as QString, and labels, buttons and lists that
// carry the object name the tests and the frame find them by.
#include <QString>

#include "core/app/text_entry.h"

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace skyvane {

class TextTable;

// The text table's entry in the window's language.
QString TableText(const TextTable& text, Txt entry);

// Children of parent named name. Buttons are never auto-default, so that
// Enter reaches the window's default button only.
QLabel* MakeLabel(QWidget* parent, const QString& caption, const char* name);
QPushButton* MakeButton(QWidget* parent, const QString& caption, const char* name);
QComboBox* MakeCombo(QWidget* parent, const char* name);

// Where a save dialog opens: the folder saved into last in this session, else
// the user's Documents (Pictures for pictures), else the home folder.
enum class SaveKind { kDocuments, kPictures };
QString SaveFolder(SaveKind kind);
// Remembers the folder of a file just saved.
void RememberSaveFolder(const QString& savedFile);
// Forgets that folder, as at the start of a session.
void ForgetSaveFolder();

}  // namespace skyvane
