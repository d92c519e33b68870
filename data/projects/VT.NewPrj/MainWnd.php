<?php
// The main window of the program. The designer shows it on the MainWnd tab;
// double-click a button there to jump to its handler below.

class MainWnd extends Win32Wnd{
  function Ctl_Hello_onClick(){
      $name = trim($this->Ctl('Name')->text);
      if ($name === '') {
          $this->Ctl('Answer')->text = 'Please type your name first.';
          return;
      }
      $this->Ctl('Answer')->text = 'Hello, ' . $name . '! Nice to meet you.';
  }

}
?>