#include "qt_settings_reader.h"

#include <QSettings>

namespace tarsel {

std::optional<std::string> QtSettingsReader::ReadString(std::string_view key) const {
  const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QStringLiteral("Brenmor"));
  const QString name = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
  if (!settings.contains(name)) return std::nullopt;
  return settings.value(name).toString().toStdString();
}

}  // namespace tarsel
