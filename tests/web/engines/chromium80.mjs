// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Chrome 80, where the page's floor is: the Chrome that Chromebooks whose
// updates ended in 2020 keep.
import { NpmChromium } from './npm-chromium.mjs';

export const { name, can, Launch } = NpmChromium('Chromium 80', 'chromium-80', 'puppeteer-core-2');
