// Starting, pausing and stepping back a reading; hot keys and activation.

#include "Unit1.h"

namespace orvell {

void TForm1::SpeedButton1Click() {
    // start
}

void TForm1::SpeedButton2Click() {
    // pause and resume
}

void TForm1::SpeedButton3Click() {
    // step back
}

void TForm1::WMHotKey(int /*id*/) {
    // hot keys
}

void TForm1::ComboBox1Change() {
    // speed choice
}

void TForm1::AppActivate() {
    // take the hot keys
}

void TForm1::AppDeactivate() {
    // release the hot keys
}

void TForm1::FormDeactivate() {
    // another window of the program took the activation
}

void TForm1::Memo1Change() {
    // an edit releases the reading
}

void TForm1::Memo1Click() {
    // select all
}

void TForm1::CheckBox1Click() {
    // learning-mode explanation
}

}  // namespace orvell
