// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Inside the page itself, before the page's script runs, in the oldest
// JavaScript, so that it runs where that one could not. If the page's
// script has not started once it was to run, or within the page's patience,
// the window says why: a browser too old to read it, a script that came and
// failed, or one that did not come, and then what the server answers when
// asked for it again.
(function () {
    'use strict';

    var design = JSON.parse(document.getElementById('Design').textContent);
    var script = document.querySelector('script[src]');
    var failed = '';
    var shown = false;

    function show(text, reload) {
        if (window.KorvelataStarted || shown) {
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

    // The page's script came, or is in the page itself, and ran.
    function ran() {
        if (failed === 'old') {
            show(design.TooOldText, false);
        } else {
            show(design.BrokenText, true);
        }
    }

    // The page's script asked for again: the server's answer, or none.
    function lost() {
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

    addEventListener('error', function (event) {
        if (event.target === window && !window.KorvelataStarted && !failed) {
            failed = /SyntaxError/.test(String(event.error) + event.message) ? 'old' : 'broken';
        }
    }, true);
    if (script) {
        script.addEventListener('load', ran);
        script.addEventListener('error', lost);
    } else {
        document.addEventListener('DOMContentLoaded', ran);
    }
    setTimeout(function () {
        show(design.PageLostText, true);
    }, design.PatienceSeconds * 1000);
})();
