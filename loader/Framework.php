<?php
// The framework that every project's PHP code sees: A(), the application object, and
// Win32Wnd, the base class of every window script the IDE writes.
//
// A window is built from the WINDOW element of the project's resource file whose "id" is its
// class name (letter case ignored). This version of the loader does not show windows yet:
// windows and their controls keep their attributes in memory, Show() only records the
// window, and Run() returns at once because there is nothing to wait for.

final class Win32App
{
    private static $instance = null;
    private $shown = [];     // the shown windows, the most recent last
    private $quitting = false;

    public static function Instance(): Win32App
    {
        if (self::$instance === null) {
            self::$instance = new Win32App();
        }
        return self::$instance;
    }

    // Runs until every shown window is closed or Quit() is called.
    public function Run()
    {
        $this->quitting = false;
    }

    public function Quit()
    {
        $this->quitting = true;
    }

    // Calls the method $handler of the window whose control raised the event.
    public function WndEvent($handler)
    {
        $window = end($this->shown);
        if ($window === false || !method_exists($window, $handler)) {
            trigger_error("The event handler \"$handler\" is not a method of the window", E_USER_WARNING);
            return;
        }
        $window->$handler();
    }

    // Without windows on the screen the message goes to the run log.
    public function MsgBox($text, $caption = '')
    {
        zemblo_log($caption === '' ? "Message: $text" : "Message ($caption): $text");
    }

    public function WindowShown(Win32Wnd $window)
    {
        $this->WindowClosed($window);
        $this->shown[] = $window;
    }

    public function WindowClosed(Win32Wnd $window)
    {
        $this->shown = array_values(array_filter($this->shown, function ($w) use ($window) {
            return $w !== $window;
        }));
    }
}

function A(): Win32App
{
    return Win32App::Instance();
}

// Attributes by name, letter case ignored; what a window and a control have in common.
abstract class Win32Props
{
    private $props = [];

    protected function LoadProps(array $props)
    {
        $this->props = $props;
    }

    public function Get($name)
    {
        return $this->props[strtolower($name)] ?? '';
    }

    public function Set($name, $value)
    {
        $this->props[strtolower($name)] = (string)$value;
    }

    public function __get($name)
    {
        return $this->Get($name);
    }

    public function __set($name, $value)
    {
        $this->Set($name, $value);
    }

    public function __isset($name)
    {
        return isset($this->props[strtolower($name)]);
    }
}

class Win32Ctl extends Win32Props
{
    public function __construct(array $attributes)
    {
        $this->LoadProps($attributes);
    }

    // Check and option controls answer "checked" with "1" or "0".
    public function Get($name)
    {
        $value = parent::Get($name);
        if (strtolower($name) === 'checked') {
            return $value === '1' ? '1' : '0';
        }
        return $value;
    }
}

class Win32Wnd extends Win32Props
{
    private $controls = [];  // lower-case id => Win32Ctl

    public function __construct($id = null)
    {
        $id = $id ?? static::class;
        $node = zemblo_window($id);
        if ($node === false) {
            throw new Exception("The project's resource file has no window \"$id\"");
        }
        $this->LoadProps($node['attributes']);
        foreach ($node['controls'] as $attributes) {
            $key = strtolower($attributes['id'] ?? '');
            if ($key !== '' && !isset($this->controls[$key])) {
                $this->controls[$key] = new Win32Ctl($attributes);
            }
        }
    }

    // The control with that id anywhere in the window (letter case ignored).
    public function Ctl($id)
    {
        $key = strtolower($id);
        if (!isset($this->controls[$key])) {
            throw new Exception("The window \"" . $this->Get('id') . "\" has no control \"$id\"");
        }
        return $this->controls[$key];
    }

    public function Show()
    {
        A()->WindowShown($this);
    }

    public function ShowModal()
    {
        A()->WindowShown($this);
    }

    public function Close()
    {
        A()->WindowClosed($this);
    }
}
