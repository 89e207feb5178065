// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Inside the page itself, first in its head, in the oldest JavaScript, so
// that it runs where the page's script could not, and sees that script
// fail however early. If the page's script has not started once it was to
// run, or within the page's patience, the window says why: a browser too old
// to read it, a script that came and failed, or one that did not come, and
// then what the server answers when asked for it again.
(function () {
    'use strict';

    var design = JSON.parse(document.getElementById('Design').textContent);
    var failed = '';
    var shown = false;

    function show(what, reload) {
        if (window.KorvelataStarted || shown) {
            return;
        }
        shown = true;
        document.getElementById('Status').hidden = false;
        document.getElementById('StatusText').textContent = design[what];
        var retry = document.getElementById('Retry');
        retry.hidden = !reload;
        retry.onclick = function () {
            location.reload();
        };
    }

    // The page's script came, or is in the page itself, and ran.
    function ran() {
        if (failed === 'old') {
            show('TooOldText', false);
        } else {
            show('BrokenText', true);
        }
    }

    // The page's script asked for again: the server's answer, or none.
    function lost(script) {
        var request = new XMLHttpRequest();
        request.onload = function () {
            var type = request.getResponseHeader('Content-Type') || '';
            if (request.status === 404) {
                show('NotFoundText', true);
            } else if (request.status !== 200) {
                show('ServerErrorText', true);
            } else if (!/^(text|application)\/(x-)?(java|ecma)script\b/.test(type)) {
                show('WrongTypeText', true);
            } else {
                show('PageLostText', true);
            }
        };
        request.onerror = function () {
            show('PageLostText', true);
        };
        request.open('GET', script.src);
        request.setRequestHeader('Cache-Control', 'no-cache');
        request.send();
    }

    // Before the page's script has started, any script that loads or fails
    // is that one.
    var script = function (event) {
        return !window.KorvelataStarted && event.target && event.target.tagName === 'SCRIPT';
    };
    addEventListener('error', function (event) {
        if (script(event)) {
            lost(event.target);
        } else if (event.target === window && !window.KorvelataStarted && !failed) {
            failed = /SyntaxError/.test(String(event.error) + event.message) ? 'old' : 'broken';
        }
    }, true);
    document.addEventListener('load', function (event) {
        if (script(event)) {
            ran();
        }
    }, true);
    document.addEventListener('DOMContentLoaded', function () {
        if (!document.querySelector('script[src]')) {
            ran();
        }
    });
    setTimeout(function () {
        show('PageLostText', true);
    }, design.PatienceSeconds * 1000);
})();
