<?php
// The framework that every project's PHP code sees: A(), the application object, and
// Win32Wnd, the base class of every window script the IDE writes.
//
// A window is built from the WINDOW element of the project's resource file whose "id" is its
// class name (letter case ignored; a constructor argument may name another id). Its
// attributes and those of its controls are read and written with Get()/Set() or as PHP
// properties; a change shows at once when the window is on the screen, and what the user
// types or ticks there is what the program reads. Properties a window class declares
// itself are its own; every other property name is an attribute.

// What the framework raises for a mistake in the program (a window or control that does not
// exist, a window shown without a display). It names the program's own line that made the
// mistake, not a line of the framework.
class Win32Error extends Exception
{
    public function __construct($message = '')
    {
        parent::__construct($message);
        foreach ($this->getTrace() as $frame) {
            if (isset($frame['file']) && $frame['file'] !== __FILE__) {
                $this->file = $frame['file'];
                $this->line = $frame['line'];
                break;
            }
        }
    }
}

final class Win32App
{
    private static $instance = null;
    private $windows = [];   // handle => WeakReference to every window built
    private $shown = [];     // handle => window: those on the screen, kept alive there; last shown last

    public static function Instance(): Win32App
    {
        if (self::$instance === null) {
            self::$instance = new Win32App();
        }
        return self::$instance;
    }

    // Runs until every shown window is closed or Quit() is called. Shows nothing by itself.
    public function Run()
    {
        zemblo_run();
        $this->ForgetHidden();
    }

    public function Quit()
    {
        zemblo_quit();
    }

    // Calls the method $handler of the window whose control raised the event; outside an
    // event, of the window shown last.
    public function WndEvent($handler)
    {
        $handler = (string)$handler;
        $window = null;
        $handle = zemblo_event_window();
        if ($handle !== 0 && isset($this->windows[$handle])) {
            $window = $this->windows[$handle]->get();
        } elseif ($handle === 0 && $this->shown) {
            $window = end($this->shown);
        }
        if ($window === null) {
            trigger_error("No window is there to handle the event \"$handler\"", E_USER_WARNING);
            return;
        }
        if (!method_exists($window, $handler)) {
            trigger_error("The window class " . get_class($window) . " has no method \"$handler\" for the event",
                E_USER_WARNING);
            return;
        }
        $window->$handler();
    }

    // A modal message box (without a display, a line in the run log).
    public function MsgBox($text, $caption = '')
    {
        zemblo_msgbox((string)$text, (string)$caption);
    }

    public function Register(Win32Wnd $window, int $handle)
    {
        $this->windows[$handle] = WeakReference::create($window);
    }

    public function Forget(int $handle)
    {
        unset($this->windows[$handle], $this->shown[$handle]);
    }

    public function WindowShown(Win32Wnd $window, int $handle)
    {
        unset($this->shown[$handle]);
        $this->shown[$handle] = $window;
    }

    // Windows the user closed stay alive only while the program holds them.
    private function ForgetHidden()
    {
        foreach ($this->shown as $handle => $window) {
            if (!zemblo_visible($handle)) {
                unset($this->shown[$handle]);
            }
        }
    }

    public function WindowHidden(int $handle)
    {
        unset($this->shown[$handle]);
    }
}

function A(): Win32App
{
    return Win32App::Instance();
}

// Attributes by name, letter case ignored: what a window and a control have in common.
abstract class Win32Props
{
    abstract public function Get($name);

    abstract public function Set($name, $value);

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
        return $this->Get($name) !== '';
    }
}

// A control of a window; it keeps its window alive.
class Win32Ctl extends Win32Props
{
    private $window;
    private $place;

    public function __construct(Win32Wnd $window, int $place)
    {
        $this->window = $window;
        $this->place = $place;
    }

    // Check and option controls answer "checked" with "1" or "0".
    public function Get($name)
    {
        return zemblo_get($this->window->Handle(), $this->place, (string)$name);
    }

    public function Set($name, $value)
    {
        zemblo_set($this->window->Handle(), $this->place, (string)$name, (string)$value);
    }
}

class Win32Wnd extends Win32Props
{
    private $zWindow = 0;  // the runtime's handle; 0 until the constructor ran

    public function __construct($id = null)
    {
        if ($id === null) {
            $id = static::class;
            $slash = strrpos($id, '\\');
            if ($slash !== false) {
                $id = substr($id, $slash + 1);
            }
        }
        $handle = zemblo_window_open((string)$id);
        if ($handle === 0) {
            throw new Win32Error("The project's resource file has no window \"$id\"");
        }
        $this->zWindow = $handle;
        A()->Register($this, $handle);
    }

    public function __destruct()
    {
        if ($this->zWindow !== 0) {
            A()->Forget($this->zWindow);
            zemblo_window_free($this->zWindow);
            $this->zWindow = 0;
        }
    }

    public function Handle(): int
    {
        if ($this->zWindow === 0) {
            throw new Win32Error("The window " . static::class
                . " was not built: its constructor must call parent::__construct()");
        }
        return $this->zWindow;
    }

    public function Get($name)
    {
        return zemblo_get($this->Handle(), -1, (string)$name);
    }

    public function Set($name, $value)
    {
        zemblo_set($this->Handle(), -1, (string)$name, (string)$value);
    }

    // The control with that id anywhere in the window (letter case ignored).
    public function Ctl($id)
    {
        $place = zemblo_control($this->Handle(), (string)$id);
        if ($place < 0) {
            throw new Win32Error("The window \"" . $this->Get('id') . "\" has no control \"$id\"");
        }
        return new Win32Ctl($this, $place);
    }

    public function Show()
    {
        zemblo_show($this->Handle(), false);
        A()->WindowShown($this, $this->zWindow);
    }

    // Shows the window and returns once it is closed.
    public function ShowModal()
    {
        A()->WindowShown($this, $this->Handle());
        try {
            zemblo_show($this->zWindow, true);
        } finally {
            if ($this->zWindow !== 0 && !zemblo_visible($this->zWindow)) {
                A()->WindowHidden($this->zWindow);
            }
        }
    }

    public function Close()
    {
        zemblo_hide($this->Handle());
        A()->WindowHidden($this->zWindow);
    }
}
