/* Brimwell's window theme: a Qt style sheet, read at start-up when present. */

QWidget#Form1 {
    background: #f3f5f8;
}

QGroupBox {
    background: #ffffff;
    border: 1px solid #d5dbe3;
    border-radius: 6px;
    margin-top: 10px;
    padding: 10px 8px 4px 8px;
    font-weight: bold;
    color: #2b3a4d;
}

QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 10px;
    padding: 0 5px;
    background: #f3f5f8;
    border-radius: 3px;
}

QGroupBox QRadioButton,
QGroupBox QCheckBox,
QGroupBox QLineEdit,
QGroupBox QPushButton {
    font-weight: normal;
}

QRadioButton, QCheckBox {
    color: #1f2a37;
    spacing: 6px;
    padding: 2px 0;
}

QRadioButton:disabled, QCheckBox:disabled, QLineEdit:disabled {
    color: #9aa5b1;
}

QPushButton {
    background: #ffffff;
    border: 1px solid #b9c3cf;
    border-radius: 5px;
    padding: 6px 14px;
    color: #1f2a37;
}

QPushButton:hover {
    background: #eaf1fb;
    border-color: #5b8bd0;
}

QPushButton:pressed {
    background: #d6e4f7;
}

QPushButton:disabled {
    color: #9aa5b1;
    background: #f3f5f8;
    border-color: #d5dbe3;
}

QPushButton#PushButton2 {
    background: #2f6fc4;
    border: 1px solid #285ea6;
    color: #ffffff;
    font-weight: bold;
    padding: 8px 18px;
}

QPushButton#PushButton2:hover {
    background: #3a7ed6;
}

QPushButton#PushButton2:pressed {
    background: #285ea6;
}

QPushButton#PushButton3, QPushButton#PushButton9 {
    padding: 2px 6px;
}

QLineEdit {
    background: #ffffff;
    border: 1px solid #b9c3cf;
    border-radius: 4px;
    padding: 4px 6px;
    selection-background-color: #2f6fc4;
}

QLineEdit:focus {
    border-color: #2f6fc4;
}

QTreeWidget#ListView1 {
    background: #ffffff;
    border: 1px solid #c7d0db;
    border-radius: 6px;
    selection-background-color: #2f6fc4;
    selection-color: #ffffff;
}

QTreeWidget#ListView1::item {
    padding: 2px 0;
}

QHeaderView::section {
    background: #e9edf3;
    color: #2b3a4d;
    font-weight: bold;
    border: none;
    border-bottom: 1px solid #c7d0db;
    border-right: 1px solid #c7d0db;
    padding: 5px 6px;
}

QProgressBar#ProgressBar1 {
    background: #ffffff;
    border: 1px solid #c7d0db;
    border-radius: 6px;
    text-align: center;
    color: #1f2a37;
    min-height: 22px;
}

QProgressBar#ProgressBar1::chunk {
    background: #8fb5e8;
    border-radius: 5px;
}

QToolTip {
    background: #2b3a4d;
    color: #ffffff;
    border: none;
    padding: 5px 7px;
}
