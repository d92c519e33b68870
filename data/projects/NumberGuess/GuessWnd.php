<?php
// The game's window. The computer picks a number; each guess is answered with
// "higher" or "lower" until it is found.

class GuessWnd extends Win32Wnd{
  private $secret = 0;
  private $tries = 0;

  function __construct(){
      parent::__construct();
      $this->StartGame();
  }

  function Ctl_Try_onClick(){
      $text = trim($this->Ctl('Guess')->text);
      if (!preg_match('/^[0-9]+$/', $text)) {
          $this->Say('Type a whole number first.', 'Crimson');
          return;
      }
      $guess = (int)$text;
      $this->tries++;
      $this->Ctl('Tries')->text = 'Tries: ' . $this->tries;
      if ($guess == $this->secret) {
          $this->Say('Yes, it is ' . $this->secret . '! Found in ' . $this->tries . ' tries.', 'DarkGreen');
          A()->MsgBox('You found the number in ' . $this->tries . ' tries.', 'Well done');
          return;
      }
      $message = $guess < $this->secret ? 'No, my number is higher.' : 'No, my number is lower.';
      if ($this->Ctl('Hints')->checked == '1' && abs($guess - $this->secret) <= 3) {
          $message .= ' You are very close!';
      }
      $this->Say($message, 'DarkOrange');
      $this->Ctl('Guess')->text = '';
  }

  function Ctl_NewGame_onClick(){
      $this->StartGame();
  }

  private function StartGame(){
      $highest = $this->Ctl('Hard')->checked == '1' ? 100 : 20;
      $this->secret = mt_rand(1, $highest);
      $this->tries = 0;
      $this->Ctl('Guess')->text = '';
      $this->Ctl('Tries')->text = 'Tries: 0';
      $this->Say('I am thinking of a number from 1 to ' . $highest . '.', 'DarkGreen');
  }

  private function Say($text, $color){
      $this->Ctl('Answer')->text = $text;
      $this->Ctl('Answer')->fontColor = $color;
  }

}
?>