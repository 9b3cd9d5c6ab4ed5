#pragma once
#include <functional>

#include "toolkit/control.h"

namespace tk {

class TTrackBar final : public TControl {
 public:
  TTrackBar(TForm& form, const ComponentDescription& description);
  int Position() const { return position_; }
  int Min() const { return description_.range.min; }
  int Max() const { return description_.range.max; }
  // Clamps into Min..Max first; runs OnChange when the position changes, except while the form
  // is built.
  void SetPosition(int position);
  std::function<void()> OnChange;
  bool OnScroll(WORD code) override;

 private:
  int position_;
};

}  // namespace tk
