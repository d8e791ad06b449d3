// What the workbench asks of the indicator window: whether it is shown,
// minimised and the active window, hiding it, and redrawing and
// re-evaluating it for the current node. Empty until the indicator window
// exists; tests script it.
#pragma once

namespace vesk {

class IndicatorWindow {
public:
    virtual ~IndicatorWindow() = default;
    virtual bool visible() const { return false; }
    // Shown but minimised (iconic): not on screen.
    virtual bool minimized() const { return false; }
    virtual bool active() const { return false; }
    virtual void hide() {}
    // Redraws the chart for the current node, then evaluates the indicator
    // when one is built; true when an indicator was evaluated.
    virtual bool refreshAndEvaluate() { return false; }
};

}  // namespace vesk
