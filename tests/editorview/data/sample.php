<html>
<head>
<title>Order form</title>
<style type="text/css">
body { font-family: Verdana; margin: 0px; }
</style>
<script type="text/javascript">
function check(form) {
  if (form.qty.value == "") { return false; } // nothing ordered
  return true;
}
</script>
</head>
<body bgcolor="#FFFFFF">
<?php
/* The order window: fills its list from the price file. */
class OrderWnd extends Win32Wnd {
  var $total = 0;
  function OnClick($sender) {
    $name = $this->name . "_" . strtoupper('x');
    foreach (file("files/prices.txt") as $line) {
      $this->total += 12.5 * count(explode(",", $line));
    }
    # show the sum
    echo "<b>Total:</b> " . $this->total;
  }
}
?>
<p>Orders: <?= $w->count ?> &amp; more.</p>
</body>
</html>