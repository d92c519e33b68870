<?php
// The calculator's window: two numbers, an operation and the result.
// The buttons' handlers read the inputs and write the result into the
// Result text.

class CalcWnd extends Win32Wnd{
  function Ctl_Calc_onClick(){
      $a = $this->Number('A');
      $b = $this->Number('B');
      if ($a === null || $b === null) {
          $this->ShowResult('Please type two numbers.', 'Crimson');
          return;
      }
      if ($this->Ctl('OpSub')->checked == '1') {
          $result = $a - $b;
      } elseif ($this->Ctl('OpMul')->checked == '1') {
          $result = $a * $b;
      } elseif ($this->Ctl('OpDiv')->checked == '1') {
          if ($b == 0) {
              $this->ShowResult('Cannot divide by zero.', 'Crimson');
              return;
          }
          $result = $a / $b;
      } else {
          $result = $a + $b;
      }
      if ($this->Ctl('Round')->checked == '1') {
          $result = round($result, 2);
      }
      $this->ShowResult('Result: ' . $result, 'Navy');
  }

  function Ctl_Clear_onClick(){
      $this->Ctl('A')->text = '';
      $this->Ctl('B')->text = '';
      $this->ShowResult('Result:', 'Navy');
  }

  // The number typed into an input, or null when it is not a number.
  private function Number($id){
      $text = str_replace(',', '.', trim($this->Ctl($id)->text));
      return is_numeric($text) ? $text + 0 : null;
  }

  private function ShowResult($text, $color){
      $this->Ctl('Result')->text = $text;
      $this->Ctl('Result')->fontColor = $color;
  }

}
?>