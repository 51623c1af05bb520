// The command-name constants, defined once, in this order.
#include "app/command_names.h"

#include "map/layer_list.h"

namespace cmd {
const HashedName None("");
const HashedName Exit("Exit");
const HashedName New("New");
const HashedName ReSize("ReSize");
const HashedName Save("Save");
const HashedName Open("Open");
const HashedName AboutVelloran("About Velloran");
const HashedName PickBrush("Pick Brush");
const HashedName ShuffleRB("Shuffle RB");
const HashedName ShuffleLB("Shuffle LB");
const HashedName FillEdge("Fill Edge");
const HashedName Fill("Fill");
const HashedName Draw("Draw");
const HashedName DrawRandom("Draw Random");
const HashedName FillRandom("Fill Random");
const HashedName Undo("Undo");
const HashedName Redo("Redo");
const HashedName Add("Add");
const HashedName Hide("Hide");
const HashedName Show("Show");
const HashedName Clear("Clear");
const HashedName File("File");
const HashedName Edit("Edit");
const HashedName Brush("Brush");
const HashedName Layer("Layer");
const HashedName Map("Map");
const HashedName Help("Help");
const HashedName ButtonOK("Button OK");
const HashedName ButtonResizeMap("Button Resize Map");
const HashedName CreateMap("Create Map");
const HashedName SetCaptionSizeDimensions("SetCaption_SizeDimensions");
const HashedName Remove("Remove");
const HashedName LayerChange("Layer Change");
const HashedName LayerHide("Layer Hide");
const HashedName LayerShow("Layer Show");
const HashedName LayerClear("Layer Clear");
const HashedName ToggleHideShow("Toggle HideShow");
const HashedName ScrollUp("ScrollUp");
const HashedName ScrollDown("ScrollDown");
const HashedName ScrollLeft("ScrollLeft");
const HashedName ScrollRight("ScrollRight");
const HashedName ZoomIn("Zoom In");
const HashedName ZoomOut("Zoom Out");
const HashedName ActualSize("Actual Size");
const HashedName WholeMap("Whole Map");
}  // namespace cmd
