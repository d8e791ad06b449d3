// What the executor shows of a running command file: the interpreter view
// (the file's text with the current line selected, its caption, the grid
// of declared variables), the echo of the line, the activity tick, the
// step button, and whether the mouse cursor rests in the view's stop band.
// The defaults do nothing: the silent view of the batch runner.
#pragma once

#include <string>

namespace vesk {

class InterpreterView {
public:
    virtual ~InterpreterView() = default;
    virtual void show() {}
    virtual void hide() {}
    virtual void setText(const std::string& text) { (void)text; }
    virtual void setCaption(const std::string& caption) { (void)caption; }
    // Selects length characters of the text from start (0-based).
    virtual void select(int start, int length) {
        (void)start;
        (void)length;
    }
    // The one-line box echoing the line being executed.
    virtual void echo(const std::string& line) { (void)line; }
    // The activity indicator: shown with a text, or hidden (nothing).
    virtual void activity(const std::string* text) { (void)text; }
    // Row 0..19 of the variable grid.
    virtual void gridRow(int row, const std::string& name, const std::string& value) {
        (void)row;
        (void)name;
        (void)value;
    }
    virtual void stepButton(bool enabled) { (void)enabled; }
    // True while the mouse cursor is in the top band of the view's window.
    virtual bool cursorInStopBand() { return false; }
};

}  // namespace vesk
