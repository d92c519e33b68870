<?php
// The program starts here: it shows the main window and runs until the window
// is closed. Add more windows with New Window and show them the same way.
require 'MainWnd.php';

echo "Hello from a new Zemblo project!\n";
(new MainWnd())->Show();
A()->Run();
?>