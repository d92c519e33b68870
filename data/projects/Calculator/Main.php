<?php
// Calculator: the program starts here. It opens the calculator's window and
// runs until the window is closed.
require 'CalcWnd.php';

echo "Calculator started.\n";
$calc = new CalcWnd();
$calc->Show();
A()->Run();
?>