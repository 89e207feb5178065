// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Inside the page itself, before the page's scripts, in the oldest
// JavaScript, so that it runs where they could not. If the page's script
// has not started once the page has loaded, or within the page's patience,
// the window says why: a browser too old to read it, a script that came
// and failed, or one that did not come, and then what the server answers
// when asked again.
(function () {
    'use strict';

    var design = JSON.parse(document.getElementById('Design').textContent);
    var failed = '';
    var shown = false;
    addEventListener('error', function (event) {
        if (window.KorvelataStarted || failed) {
            return;
        }
        if (event.target && event.target.tagName === 'SCRIPT') {
            failed = 'lost';
        } else if (event.target === window) {
            failed = /SyntaxError/.test(String(event.error) + event.message) ? 'old' : 'broken';
        }
    }, true);

    function show(text, reload) {
        if (shown) {
            return;
        }
        shown = true;
        document.getElementById('Status').hidden = false;
        document.getElementById('StatusText').textContent = text;
        var retry = document.getElementById('Retry');
        retry.hidden = !reload;
        retry.onclick = function () {
            location.reload();
        };
    }

    // The page's script asked for again: the server's answer, or none.
    function why() {
        var script = document.querySelector('script[src]');
        var request = new XMLHttpRequest();
        request.onload = function () {
            var type = request.getResponseHeader('Content-Type') || '';
            if (request.status === 404) {
                show(design.NotFoundText, true);
            } else if (request.status !== 200) {
                show(design.ServerErrorText, true);
            } else if (!/^(text|application)\/(x-)?(java|ecma)script\b/.test(type)) {
                show(design.WrongTypeText, true);
            } else {
                show(design.PageLostText, true);
            }
        };
        request.onerror = function () {
            show(design.PageLostText, true);
        };
        request.open('GET', script.src);
        request.setRequestHeader('Cache-Control', 'no-cache');
        request.send();
    }

    function check() {
        if (window.KorvelataStarted || shown) {
            return;
        }
        if (failed === 'old') {
            show(design.TooOldText, false);
        } else if (failed === 'broken') {
            show(design.BrokenText, true);
        } else if (failed === 'lost' && document.querySelector('script[src]')) {
            why();
        } else {
            show(design.PageLostText, true);
        }
    }

    document.addEventListener('DOMContentLoaded', check);
    setTimeout(check, design.PatienceSeconds * 1000);
})();
