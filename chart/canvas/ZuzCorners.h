#pragma once
// Rounded corners: four corner styles that turn a rectangle into a path
// with round, bevelled or square corners.
//
// Published: TZuzCorner.Style (cosRound); TZuzCorners.LeftBottom, LeftTop,
// RightBottom, RightTop.
#include "platform/GraphicsTypes.h"
#include "platform/Component.h"
#include "platform/Events.h"

#include <memory>

class TZuzBasePath;
class TZuzCanvas;

enum TZuzCornerStyle : uint8_t { cosRound, cosBevel, cosNone };

class TZuzCorner : public TPersistent {
public:
  explicit TZuzCorner(TNotifyEvent Changed = {});
  String ClassName() const override;
  // Copies the style of another corner without notification.
  void Assign(TPersistent* Source) override;

  TZuzCornerStyle Style() const { return FStyle; }
  // Notifies with the corner as sender when the value differs.
  void SetStyle(TZuzCornerStyle Value);

  TNotifyEvent IChanged;

private:
  TZuzCornerStyle FStyle = cosRound;
};

class TZuzCorners : public TPersistent {
public:
  explicit TZuzCorners(TNotifyEvent Changed = {});
  ~TZuzCorners() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TZuzCorner* LeftBottom() const { return FLeftBottom.get(); }
  TZuzCorner* LeftTop() const { return FLeftTop.get(); }
  TZuzCorner* RightBottom() const { return FRightBottom.get(); }
  TZuzCorner* RightTop() const { return FRightTop.get(); }
  // Copy the given corner's style into the owned one.
  void SetLeftBottom(TZuzCorner* Value);
  void SetLeftTop(TZuzCorner* Value);
  void SetRightBottom(TZuzCorner* Value);
  void SetRightTop(TZuzCorner* Value);

  // The outline of R with these corners, corner ellipses of X x Y; the
  // caller draws and frees it.
  std::unique_ptr<TZuzBasePath> GetPath(TZuzCanvas* ACanvas, const TRect& R, int32_t X, int32_t Y) const;

private:
  std::unique_ptr<TZuzCorner> FLeftBottom;
  std::unique_ptr<TZuzCorner> FLeftTop;
  std::unique_ptr<TZuzCorner> FRightBottom;
  std::unique_ptr<TZuzCorner> FRightTop;
};
