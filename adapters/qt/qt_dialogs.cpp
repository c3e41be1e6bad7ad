#include "qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "qt_window_host.h"

namespace tarsel {

namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* OwnerWidget(WindowHost* owner) {
  auto* host = dynamic_cast<QtWindowHost*>(owner);
  // A hidden owner would hide the dialog with it on some desktops; such a dialog stands alone.
  if (!host || !host->Widget().isVisible()) return nullptr;
  return &host->Widget();
}

// "Description (*.a *.b);;Other (*.c)"
QString FilterString(const std::vector<FileFilter>& filters) {
  QStringList parts;
  for (const FileFilter& f : filters) {
    QStringList patterns;
    for (const std::string& p : f.patterns) patterns << QString::fromStdString(p);
    parts << QStringLiteral("%1 (%2)").arg(ToQString(f.description), patterns.join(' '));
  }
  return parts.join(QStringLiteral(";;"));
}

std::optional<std::string> PathOrNone(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

MessageBoxResult QtDialogs::ShowMessageBox(WindowHost* owner, std::u16string_view text,
                                           std::u16string_view caption, MessageBoxButtons buttons) {
  QMessageBox box(OwnerWidget(owner));
  box.setIcon(buttons == MessageBoxButtons::OkCancel ? QMessageBox::Question
                                                     : QMessageBox::Warning);
  box.setWindowTitle(caption.empty() ? QApplication::applicationDisplayName() : ToQString(caption));
  box.setText(ToQString(text));
  if (buttons == MessageBoxButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  return box.exec() == QMessageBox::Ok ? MessageBoxResult::Ok : MessageBoxResult::Cancel;
}

std::optional<Rgb> QtDialogs::ChooseColour(WindowHost* owner, Rgb initial) {
  const QColor chosen =
      QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), OwnerWidget(owner));
  if (!chosen.isValid()) return std::nullopt;
  return Rgb{static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
             static_cast<uint8_t>(chosen.blue())};
}

std::optional<std::string> QtDialogs::OpenFile(WindowHost* owner, std::u16string_view title,
                                               const std::vector<FileFilter>& filters,
                                               const std::string& startFolder) {
  return PathOrNone(QFileDialog::getOpenFileName(OwnerWidget(owner), ToQString(title),
                                                 QString::fromStdString(startFolder),
                                                 FilterString(filters)));
}

std::optional<std::string> QtDialogs::SaveFile(WindowHost* owner, std::u16string_view title,
                                               const std::vector<FileFilter>& filters,
                                               const std::string& startFolder,
                                               std::string_view defaultSuffix) {
  QFileDialog dialog(OwnerWidget(owner), ToQString(title), QString::fromStdString(startFolder),
                     FilterString(filters));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(
      QString::fromUtf8(defaultSuffix.data(), static_cast<qsizetype>(defaultSuffix.size())));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathOrNone(dialog.selectedFiles().front());
}

std::optional<std::string> QtDialogs::BrowseFolder(WindowHost* owner, std::u16string_view title) {
  return PathOrNone(QFileDialog::getExistingDirectory(OwnerWidget(owner), ToQString(title)));
}

}  // namespace tarsel
