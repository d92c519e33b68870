<?php
// The program starts here. Add a window with New Window, then show it, for example:
//   require 'NewWnd01.php';
//   (new NewWnd01())->Show();
echo "Hello from a new Zemblo project!\n";
A()->Run();
?>