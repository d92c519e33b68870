<?php
// Guess the Number: the program starts here.
require 'GuessWnd.php';

echo "Guess the Number started: good luck!\n";
$game = new GuessWnd();
$game->Show();
A()->Run();
?>