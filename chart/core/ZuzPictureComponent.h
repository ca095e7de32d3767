#pragma once
// Carries one picture through the component writer and reader: the series
// data store a point's picture as a complete component stream of this
// class, whose published property Picture holds it.
#include "platform/Component.h"

#include <memory>

class TZuzPicture;

class TZuzPictureComponent : public TComponent {
public:
  // With a new empty picture.
  explicit TZuzPictureComponent(TComponent* AOwner);
  // Around a lent picture, which the lender takes back with Release before
  // the wrapper goes.
  TZuzPictureComponent(TComponent* AOwner, TZuzPicture* APicture);
  // Frees the picture it still holds.
  ~TZuzPictureComponent() override;
  String ClassName() const override;

  TZuzPicture* Picture() const { return FPicture.get(); }
  // Copies Value into the held picture.
  void SetPicture(TZuzPicture* Value);
  // Hands the picture over (the wrapper then holds none).
  TZuzPicture* Release() { return FPicture.release(); }

private:
  std::unique_ptr<TZuzPicture> FPicture;
};
