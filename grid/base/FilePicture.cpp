#include "grid/base/FilePicture.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Published.h"
#include "rtl/Files.h"

#include <QDebug>

namespace {

[[maybe_unused]] const TClassInfo& FilePictureClass =
    PublishClass<TFilePicture>("TFilePicture", "TPersistent",
                               {
                                   PropStr("Filename", &TFilePicture::Filename, &TFilePicture::SetFilename),
                                   PropInt("Width", &TFilePicture::Width, &TFilePicture::SetWidth),
                                   PropInt("Height", &TFilePicture::Height, &TFilePicture::SetHeight),
                               });

// The file's picture, or nothing when it is missing or unreadable (a cell
// that cannot show its picture stays empty; the reason goes to the log).
bool LoadPicture(const String& FileName, TPicture& Picture)
{
  if (FileName.isEmpty() || !FileExists(FileName))
    return false;
  try {
    Picture.LoadFromFile(FileName);
  } catch (const std::exception& E) {
    qWarning().noquote() << "Picture" << FileName << "not loaded:" << E.what();
    return false;
  }
  return Picture.Graphic() != nullptr;
}

} // namespace

TFilePicture::TFilePicture() = default;
TFilePicture::~TFilePicture() = default;

String TFilePicture::ClassName() const { return QStringLiteral("TFilePicture"); }

void TFilePicture::Assign(TPersistent* Source)
{
  if (auto* Other = dynamic_cast<TFilePicture*>(Source)) {
    FFilename = Other->FFilename;
    FWidth = Other->FWidth;
    FHeight = Other->FHeight;
    return;
  }
  TPersistent::Assign(Source);
}

void TFilePicture::SetFilename(const String& Value)
{
  FFilename = Value;
  TPicture Picture;
  if (LoadPicture(Value, Picture)) {
    FWidth = Picture.Width();
    FHeight = Picture.Height();
  }
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R) const
{
  TPicture Picture;
  if (LoadPicture(FFilename, Picture))
    Canvas->StretchDraw(R, Picture.Graphic());
}
