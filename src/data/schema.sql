-- The six tables of Tavisko. Every statement creates a table only when it is absent,
-- so applying this file to a database in use changes nothing that exists.
-- Text sizes are in characters; the server, not the program, orders text keys.

CREATE TABLE IF NOT EXISTS `Users` (
  `Id` INT NOT NULL AUTO_INCREMENT,
  `Naam` VARCHAR(25),
  `Aanwezig` VARCHAR(5),
  `Paswoord` VARCHAR(10),
  `CatId` SMALLINT,
  `Status` VARCHAR(5),
  `Start` DATETIME,
  `Stop` DATETIME,
  `Artikelnummer` MEDIUMTEXT,
  `Projectnummer` VARCHAR(25),
  `Projectnaam` VARCHAR(50),
  `Foto` LONGBLOB,
  `proj_groep_id` INT,
  `Omschrijving` VARCHAR(50),
  PRIMARY KEY (`Id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE IF NOT EXISTS `Tijdreg` (
  `id` INT NOT NULL AUTO_INCREMENT,
  `Nummer` VARCHAR(15),
  `Klantnummer` INT,
  `Klantnaam` VARCHAR(50),
  `Chassisnummer` VARCHAR(50),
  `Gesloten` VARCHAR(5),
  `Wagennummer` INT,
  `Nummerplaat` VARCHAR(10),
  `Datum` DATE,
  `Omschrijving` MEDIUMTEXT,
  `Kostprijs` DOUBLE,
  `Verkprijs` DOUBLE,
  `Adres` VARCHAR(30),
  `Postcode` VARCHAR(8),
  `Woonplaats` VARCHAR(30),
  `Naampure` VARCHAR(40),
  `proj_groep_id` INT,
  PRIMARY KEY (`id`),
  KEY `Tijdreg_Nummer` (`Nummer`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE IF NOT EXISTS `Tijdreglijn` (
  `id` INT NOT NULL AUTO_INCREMENT,
  `Ordernummer` VARCHAR(15),
  `CatID` SMALLINT,
  `UserID` INT,
  `Usernaam` VARCHAR(30),
  `Klantnaam` VARCHAR(50),
  `Chassisnummer` VARCHAR(50),
  `Start` DATETIME,
  `Stop` DATETIME,
  `Artikelnummer` MEDIUMTEXT,
  `Tijd` DOUBLE,
  `Tijd2` DOUBLE,
  PRIMARY KEY (`id`),
  KEY `Tijdreglijn_Start` (`Start`),
  KEY `Tijdreglijn_UserID` (`UserID`, `Start`),
  KEY `Tijdreglijn_Ordernummer` (`Ordernummer`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE IF NOT EXISTS `Categorie` (
  `Id` SMALLINT NOT NULL,
  `Categorie` VARCHAR(30),
  `Kostprijs` DOUBLE,
  `Verkprijs` DOUBLE,
  PRIMARY KEY (`Id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE IF NOT EXISTS `Default` (
  `Id` INT NOT NULL AUTO_INCREMENT,
  `Naam` VARCHAR(35),
  `Adres` VARCHAR(50),
  `Postcode` VARCHAR(8),
  `Woonplaats` VARCHAR(50),
  `Telefoon` VARCHAR(35),
  `Fax` VARCHAR(35),
  `Email` VARCHAR(50),
  `Website` VARCHAR(50),
  `Btw` VARCHAR(15),
  `Hr` VARCHAR(10),
  `Paswoordcheck` SMALLINT,
  `Map` VARCHAR(100),
  `EmailText` VARCHAR(250),
  `Ordertext1` VARCHAR(250),
  `Ordertext2` VARCHAR(250),
  `AantalKassabon` SMALLINT,
  `EmailOnderwerp` VARCHAR(30),
  `EmailMemo` MEDIUMTEXT,
  `Vervaldagen` SMALLINT,
  `Printlijntotaal` VARCHAR(5),
  `Printkopgegevens` VARCHAR(5),
  `A1_15` VARCHAR(15),
  `A1_30` VARCHAR(30),
  `A1_50` VARCHAR(50),
  `A2_50` VARCHAR(50),
  `A3_50` VARCHAR(50),
  `A4_50` VARCHAR(50),
  `A5_50` VARCHAR(50),
  `I2` INT,
  `I3` INT,
  `I4` INT,
  `I5` INT,
  `I1` INT,
  `N1` DOUBLE,
  `N2` DOUBLE,
  `N3` DOUBLE,
  `N4` DOUBLE,
  `N5` DOUBLE,
  `Banknummer1` VARCHAR(15),
  `Banknummer2` VARCHAR(15),
  `Handelsregister` VARCHAR(15),
  `Download` VARCHAR(50),
  `AantalWerkfiches` SMALLINT,
  `InterneWerken` SMALLINT,
  `ProjectKlaar` VARCHAR(5),
  PRIMARY KEY (`Id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE IF NOT EXISTS `parts` (
  `nummer` VARCHAR(20) NOT NULL,
  `omschrijving` VARCHAR(35),
  `verkoopprijs` DOUBLE,
  `aankoopprijs` DOUBLE,
  `lokatie` VARCHAR(15),
  `instock` DOUBLE,
  PRIMARY KEY (`nummer`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
