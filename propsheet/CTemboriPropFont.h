// The font page: the installed faces that can draw the calendar, the sizes of the chosen
// face, a sample of the digits in it and a description of its kind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/ChildControl.h"
#include "framework/GdiHandles.h"
#include "framework/PropertyPage.h"
#include "propsheet/rules/FontChoice.h"
#include "propsheet/rules/SheetFields.h"

namespace tembori {

class CTemboriPropFont : public PropertyPage {
 public:
  explicit CTemboriPropFont(bool isNT3);

  FontFields& Fields() { return fields_; }
  const FontFields& Fields() const { return fields_; }

  // The character set and pitch and family follow the chosen face item (the first when none
  // is chosen); nothing happens before the face list exists.
  void TakeFaceAttributes();

 protected:
  bool OnInitDialog() override;
  void OnOK() override { TakeFaceAttributes(); }
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void FillFaceList();
  void FillSizeList();
  void UpdateSample();
  void ShowFontType();

  // The entry of the selected face item, else of the first item, which is then selected when
  // `selectFirst`; null when the list is empty.
  const FaceEntry* ChosenFace(bool selectFirst) const;
  // The face item that shows the stored face; when none does, the first item
  // (`firstWhenNone`) or no item with the stored text kept in the edit field.
  void SelectFace(bool firstWhenNone) const;
  // The size item equal to `size`, or no item with `size` kept in the edit field.
  void SelectSize(const std::string& size) const;
  int PixelsPerInch() const;

  void OnFaceChosen();
  void OnSizeChosen();
  void OnDpiChanged();
  void OnEdited() { SetModified(true); }

  const bool isNT3_;
  FontFields fields_;
  ComboBoxControl faceList_;
  ComboBoxControl sizeList_;
  StaticControl sample_;
  StaticControl description_;
  FontHandle sampleFont_;
  std::vector<FaceEntry> faces_;      // the items of the face list, in its order
  std::vector<std::uint16_t> sizes_;  // the items of the size list
};

}  // namespace tembori
