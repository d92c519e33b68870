<?php
// Writes the PHP word list the editor colours as keywords (src/editorview/words/PHPWrd.txt):
// the language's keywords and the names of the functions and constants built into the
// interpreter that runs this script, one word a line, sorted without regard to case.
//
// Run it with no ini file, so that only the extensions compiled into the interpreter count
// and the list does not depend on which shared modules a machine happens to enable:
//   php8.2 -n scripts/make-php-words.php > src/editorview/words/PHPWrd.txt

// Reserved words and compile-time constants, as the language reference lists them, plus the
// class-relative names and the three literal constants the editor shows as keywords too.
$keywords = [
    '__halt_compiler', 'abstract', 'and', 'array', 'as', 'break', 'callable', 'case', 'catch',
    'class', 'clone', 'const', 'continue', 'declare', 'default', 'die', 'do', 'echo', 'else',
    'elseif', 'empty', 'enddeclare', 'endfor', 'endforeach', 'endif', 'endswitch', 'endwhile',
    'enum', 'eval', 'exit', 'extends', 'final', 'finally', 'fn', 'for', 'foreach', 'function',
    'global', 'goto', 'if', 'implements', 'include', 'include_once', 'instanceof', 'insteadof',
    'interface', 'isset', 'list', 'match', 'namespace', 'new', 'or', 'print', 'private',
    'protected', 'public', 'readonly', 'require', 'require_once', 'return', 'static', 'switch',
    'throw', 'trait', 'try', 'unset', 'use', 'var', 'while', 'xor', 'yield',
    '__CLASS__', '__DIR__', '__FILE__', '__FUNCTION__', '__LINE__', '__METHOD__',
    '__NAMESPACE__', '__TRAIT__',
    'parent', 'self', 'true', 'false', 'null',
];

$words = $keywords;
foreach (get_defined_functions()['internal'] as $name) {
    $words[] = $name;
}
foreach (get_defined_constants(true) as $group => $constants) {
    if ($group === 'user') {
        continue;
    }
    foreach (array_keys($constants) as $name) {
        $words[] = $name;
    }
}

// The scanner collects words of letters, digits and underscores only; a namespaced name
// could never be looked up, so it would only take room.
$words = array_filter($words, fn($w) => preg_match('/^[A-Za-z_][A-Za-z0-9_]*$/', $w) === 1);

// One entry per word without regard to case, as the editor stores them.
$unique = [];
foreach ($words as $w) {
    $key = strtoupper($w);
    if (!isset($unique[$key])) {
        $unique[$key] = $w;
    }
}
ksort($unique, SORT_STRING);
echo implode("\n", $unique), "\n";
