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
#include "settings/Settings.h"

namespace tembori {

class CTemboriPropFont : public PropertyPage {
 public:
  CTemboriPropFont(Settings& draft, bool isNT3);

  // The character set and pitch and family follow the chosen face item; with none chosen (the
  // stored face is not in the list) they stay as they are, and nothing happens before the
  // face list exists.
  void TakeFaceAttributes();

 protected:
  bool OnInitDialog() override;
  void OnOK() override { TakeFaceAttributes(); }
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  // The fonts of `face`, or every face when it is null, to `callback` with `list`; by the
  // older enumeration on NT 3, which has no other.
  void EnumerateFonts(const FaceEntry* face, FONTENUMPROCA callback, LPARAM list) const;
  void FillFaceList();
  void FillSizeList();
  void UpdateSample();
  void ShowFontType();

  // The entry of the selected face item; null when none is selected.
  const FaceEntry* ChosenFace() const;
  // The face item that shows the stored face; when none does, no item, with the stored text
  // kept in the edit field.
  void SelectFace() const;
  // The size item equal to `size`, or no item with `size` kept in the edit field.
  void SelectSize(const std::string& size) const;
  int PixelsPerInch() const;

  void OnFaceChosen();
  void OnSizeChosen();
  void OnDpiChanged();

  Settings& draft_;
  const bool isNT3_;
  ComboBoxControl faceList_;
  ComboBoxControl sizeList_;
  StaticControl sample_;
  StaticControl description_;
  FontHandle sampleFont_;
  std::vector<FaceEntry> faces_;      // the items of the face list, in its order
  std::vector<std::uint16_t> sizes_;  // the items of the size list
};

}  // namespace tembori
