/* Brimwell's window theme: a Qt style sheet, read at start-up when present.
   Colours come from the palette (palette(role)), so the window follows the desktop's light
   or dark scheme (the window applies the sheet again when the palette changes); only the accent of "Start Converting" and the focus tint are fixed, and
   both read on either. Every control shows a clear mark when it has the keyboard focus. */

QWidget#Form1,
QWidget#OptionsPanel {
    background: palette(window);
}

QScrollArea#OptionsArea {
    background: transparent;
    border: none;
}

/* Frames a shade off the window, so that the base-filled indicators of option buttons and
   check boxes stand out in dark schemes too. */
QGroupBox {
    background: palette(alternate-base);
    border: 1px solid palette(mid);
    border-radius: 6px;
    margin-top: 10px;
    padding: 10px 8px 4px 8px;
    font-weight: bold;
    color: palette(window-text);
}

QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 10px;
    padding: 0 5px;
    background: palette(window);
    border-radius: 3px;
}

QGroupBox QRadioButton,
QGroupBox QCheckBox,
QGroupBox QLineEdit,
QGroupBox QPushButton {
    font-weight: normal;
}

/* One height for option buttons and check boxes, so that the frames' rows line up. */
QRadioButton, QCheckBox {
    color: palette(text);
    spacing: 6px;
    padding: 1px 4px;
    border-radius: 3px;
    min-height: 1.25em;
}

QRadioButton:focus, QCheckBox:focus {
    background: rgba(61, 127, 217, 0.28);
}

QRadioButton:disabled, QCheckBox:disabled, QLineEdit:disabled {
    color: palette(mid);
}

QLabel#FileCount {
    color: palette(window-text);
    padding: 0 2px;
}

QPushButton {
    background: palette(button);
    border: 2px solid palette(mid);
    border-radius: 5px;
    padding: 5px 13px;
    color: palette(button-text);
}

QPushButton:hover {
    border-color: palette(highlight);
}

QPushButton:pressed {
    background: palette(midlight);
}

QPushButton:focus {
    border-color: palette(highlight);
    background: palette(alternate-base);
}

QPushButton:disabled {
    color: palette(mid);
    background: palette(window);
    border-color: palette(midlight);
}

QPushButton#PushButton2 {
    background: #2f6fc4;
    border: 3px solid #285ea6;
    color: #ffffff;
    font-weight: bold;
    padding: 7px 17px;
}

QPushButton#PushButton2:hover {
    background: #3a7ed6;
}

QPushButton#PushButton2:pressed {
    background: #285ea6;
}

QPushButton#PushButton2:focus {
    border-color: palette(window-text);
}

QPushButton#PushButton3, QPushButton#PushButton9 {
    padding: 1px 5px;
}

QLineEdit {
    background: palette(base);
    color: palette(text);
    border: 1px solid palette(mid);
    border-radius: 4px;
    padding: 4px 6px;
    selection-background-color: palette(highlight);
    selection-color: palette(highlighted-text);
}

QLineEdit:focus {
    border: 2px solid palette(highlight);
    padding: 3px 5px;
}

QTreeWidget#ListView1 {
    background: palette(base);
    color: palette(text);
    border: 1px solid palette(mid);
    border-radius: 6px;
    padding: 1px;
    selection-background-color: palette(highlight);
    selection-color: palette(highlighted-text);
}

QTreeWidget#ListView1:focus {
    border: 2px solid palette(highlight);
    padding: 0;
}

QTreeWidget#ListView1::item {
    padding: 2px 0;
}

QHeaderView::section {
    background: palette(alternate-base);
    color: palette(window-text);
    font-weight: bold;
    border: none;
    border-bottom: 1px solid palette(mid);
    border-right: 1px solid palette(mid);
    padding: 5px 6px;
}

QProgressBar#ProgressBar1 {
    background: palette(base);
    border: 1px solid palette(mid);
    border-radius: 6px;
    text-align: center;
    color: palette(text);
    min-height: 22px;
}

QProgressBar#ProgressBar1::chunk {
    background: palette(highlight);
    border-radius: 5px;
}

QToolTip {
    background: palette(tooltip-base);
    color: palette(tooltip-text);
    border: 1px solid palette(mid);
    padding: 5px 7px;
}
