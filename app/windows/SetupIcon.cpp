#include "app/windows/SetupIcon.h"

#include "platform/Bitmap.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"

#include <QDebug>
#include <QFileInfo>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QWidget>

namespace {

constexpr int64_t MaxIconBytes = 1 << 20;

void LogIcon(const String& FileName, const String& Why)
{
  qWarning().noquote() << QStringLiteral("Fathomix: %1 not used as the window icon: %2").arg(FileName, Why);
}

} // namespace

bool LoadSetupIcon(const String& SetupFolder, TBitmap& Icon)
{
  const String FileName = IncludeTrailingPathDelimiter(SetupFolder) + QStringLiteral("Icon.ico");
  const QFileInfo Info(FileName);
  if (!Info.exists())
    return false;
  if (!Info.isFile()) {
    LogIcon(FileName, QStringLiteral("no regular file"));
    return false;
  }
  if (Info.size() > MaxIconBytes) {
    LogIcon(FileName, QStringLiteral("%1 bytes, too large for an icon").arg(Info.size()));
    return false;
  }
  try {
    TBitmap Loaded;
    Loaded.LoadFromFile(FileName);
    Icon.Assign(&Loaded);
    return true;
  } catch (const std::exception& E) {
    LogIcon(FileName, ExceptionMessage(E));
    return false;
  }
}

void ApplyWindowIcon(QWidget* Window, const TBitmap& Icon)
{
  if (!Window || Icon.Empty() || !Icon.ImageData())
    return;
  const QIcon I(QPixmap::fromImage(*Icon.ImageData()));
  Window->setWindowIcon(I);
  if (auto* Sub = qobject_cast<QMdiSubWindow*>(Window->parentWidget()))
    Sub->setWindowIcon(I);
}

void ApplyProgramIcon(const String& SetupFolder, QWidget* MainWindow)
{
  TBitmap Icon;
  if (!LoadSetupIcon(SetupFolder, Icon) || !Icon.ImageData())
    return;
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(*Icon.ImageData())));
  ApplyWindowIcon(MainWindow, Icon);
}
