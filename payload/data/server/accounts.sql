-- Only the administrator remains (with the owner of the system views), reachable from this
-- computer with an empty password until the setup sets one: no anonymous accounts and no
-- names of the build machine.
DELETE FROM mysql.global_priv WHERE User NOT IN ('root', 'mariadb.sys') OR Host NOT IN ('localhost', '127.0.0.1', '::1');
DELETE FROM mysql.proxies_priv WHERE Host NOT IN ('localhost', '127.0.0.1', '::1');
DELETE FROM mysql.db WHERE User = '';
